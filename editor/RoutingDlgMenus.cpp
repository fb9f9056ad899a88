// The editor's command list (system menu and right-click menu) and its commands.
#include "CRoutingDlg.h"

#include "CMenu.h"
#include "ModelTables.h"

void CRoutingDlg::BuildMenu(CMenu* menu)
{
    if (!menu)
        return;
    for (int i = 0; i < modelCount; ++i)
        menu->AppendMenu(mfString, main_table[i].menuId, main_table[i].modelName);
    menu->AppendMenu(mfSeparator, 0, nullptr);
    menu->AppendMenu(mfString, 111, "Bigger");
    menu->AppendMenu(mfString, 112, "Smaller");
    menu->AppendMenu(mfSeparator, 0, nullptr);
    menu->AppendMenu(mfString, 108, "Colors");
    menu->AppendMenu(mfString, 109, "Off-line Demo Mode");
    menu->AppendMenu(mfString, 110, "Comms Config");
    SetChecks(menu);
}

void CRoutingDlg::SetChecks(CMenu* menu)
{
    if (!menu)
        return;
    for (int i = 0; i < modelCount; ++i)
        menu->CheckMenuItem(main_table[i].menuId, i == tablenum ? mfChecked : 0);
    menu->CheckMenuItem(109, local > 0 ? mfChecked : 0);
}

int CRoutingDlg::DoSysCommand(UINT id)
{
    if (id < 103 || id > 115)
        return FALSE;
    for (int i = 0; i < modelCount; ++i) {
        if (static_cast<UINT>(main_table[i].menuId) == id) {
            ChangeTable(i);
            return TRUE;
        }
    }
    switch (id) {
    case 111:
        ChangeSize(1);
        break;
    case 112:
        ChangeSize(-1);
        break;
    case 109:
        SetLocal(local ? FALSE : TRUE);
        if (!local) {
            if (deviceModel >= 0) {
                savedModel = deviceModel;
                deviceModel = -1;
            }
        } else {
            deviceModel = savedModel;
            if (deviceModel >= 0)
                WantValue(0x10010016);
        }
        MakeTitle();
        break;
    case 110:
        OnConfig();
        break;
    default:
        break;
    }
    return TRUE;
}

void CRoutingDlg::OnCommandRange1(UINT id)
{
    DoSysCommand(id);
}

void CRoutingDlg::OnCommandConfig()
{
    DoSysCommand(110);
}

void CRoutingDlg::OnSysCommand(UINT id, LPARAM)
{
    DoSysCommand(id);
}

void CRoutingDlg::OnConfig() { }

void CRoutingDlg::OnHelp() { }

void CRoutingDlg::OnOk() { }
