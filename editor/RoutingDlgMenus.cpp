// The editor's command list (system menu and right-click menu) and its commands.
#include "CRoutingDlg.h"

#include "CMenu.h"
#include "ColorDialog.h"
#include "HelpDialog.h"
#include "ModelTables.h"
#include "RoleColors.h"

namespace {

enum : UINT {
    cmdFirst = 103,
    cmdColors = 108,
    cmdDemo = 109,
    cmdComms = 110,
    cmdBigger = 111,
    cmdSmaller = 112,
    cmdLast = 115,
    helpTemplateId = 131,
    helpTextId = 1022,
};

} // namespace

void CRoutingDlg::BuildMenu(CMenu* menu)
{
    if (!menu)
        return;
    for (int i = 0; i < modelCount; ++i)
        menu->AppendMenu(mfString, main_table[i].menuId, main_table[i].modelName);
    menu->AppendMenu(mfSeparator, 0, nullptr);
    menu->AppendMenu(mfString, cmdBigger, "Bigger");
    menu->AppendMenu(mfString, cmdSmaller, "Smaller");
    menu->AppendMenu(mfSeparator, 0, nullptr);
    menu->AppendMenu(mfString, cmdColors, "Colors");
    menu->AppendMenu(mfString, cmdDemo, "Off-line Demo Mode");
    menu->AppendMenu(mfString, cmdComms, "Comms Config");
    menu->AppendMenu(mfSeparator, 0, nullptr);
    menu->AppendMenu(mfString, idUndo, "Undo");
    menu->AppendMenu(mfString, idRedo, "Redo");
    menu->AppendMenu(mfString, idExportSheet, "Export Patch Sheet...");
    SetChecks(menu);
}

void CRoutingDlg::SetChecks(CMenu* menu)
{
    if (!menu)
        return;
    for (int i = 0; i < modelCount; ++i)
        menu->CheckMenuItem(main_table[i].menuId, i == tablenum ? mfChecked : 0);
    menu->CheckMenuItem(cmdDemo, local > 0 ? mfChecked : 0);
    menu->EnableMenuItem(idUndo, history.CanUndo() ? TRUE : FALSE);
    menu->EnableMenuItem(idRedo, history.CanRedo() ? TRUE : FALSE);
}

int CRoutingDlg::DoSysCommand(UINT id)
{
    if (id < cmdFirst || id > cmdLast)
        return FALSE;
    for (int i = 0; i < modelCount; ++i) {
        if (static_cast<UINT>(main_table[i].menuId) == id) {
            ChangeTable(i);
            return TRUE;
        }
    }
    switch (id) {
    case cmdBigger:
        ChangeSize(1);
        break;
    case cmdSmaller:
        ChangeSize(-1);
        break;
    case cmdColors: {
        ColorDialog dialog(&colorDialogIds, colorDesc, 0, nullptr, this);
        if (dialog.DoModal() == static_cast<int>(IDOK)) {
            lines.Invalidate(this);
            InvalidateSelection();
            picture.SetBackgroundColor(backGroundColor.Get(), this);
        }
        break;
    }
    case cmdDemo:
        SetLocal(local ? FALSE : TRUE);
        if (!local) {
            // Back on line: the identification reply names the device again,
            // through a link opened afresh by the next send.
            if (deviceModel >= 0) {
                savedModel = deviceModel;
                deviceModel = -1;
                protocol.Disconnect();
            }
        } else {
            userChoseDemo = true;
            // A request queued here would never be answered (replies are
            // ignored in demo mode) and would end in a "Cannot connect" box
            // for a mode the user has just chosen; none is queued.
            deviceModel = savedModel;
        }
        MakeTitle();
        break;
    case cmdComms:
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
    DoSysCommand(cmdComms);
}

void CRoutingDlg::OnSysCommand(UINT id, LPARAM)
{
    DoSysCommand(id);
}

void CRoutingDlg::OnConfig()
{
    bool accepted = false;
    protocol.ConfigComms(&accepted);
    // Demo mode that a lost device brought ends with the ports chosen anew.
    if (accepted && local && !userChoseDemo)
        DoSysCommand(cmdDemo);
}

void CRoutingDlg::OnHelp()
{
    HelpDialog help(helpTemplateId, helpTextId, "read_me.txt", nullptr);
    help.DoModal();
}

// An IDOK command never ends the editor: it ends through "OK" (1017), Cancel
// or the window's close control.
void CRoutingDlg::OnOk() { }
