// Routing presets: file names, the preset lists and the automatic presets.
// Loading and saving preset contents is still to come; until then the lists
// fill from the preset folders and the handlers only end the dialog.
#include "CRoutingDlg.h"

#include "CWinApp.h"
#include "EasyAfnFile.h"
#include "ModelTables.h"

#include <QFileInfo>

void CRoutingDlg::MakeFileName(const char* name, CString& out, bool factory)
{
    const model_entry* model = currentModel();
    const char* modelName = model ? model->modelName : "";
    out = factory ? settingsPath() : configPath();
    out += "/";
    CString rest;
    if (name)
        rest.Format("%s/%s.%s", modelName, name, factory ? "rft" : "rut");
    else
        rest = modelName;
    out += rest;
}

int CRoutingDlg::AfnCallback(const char* path, void* list)
{
    auto* box = static_cast<CComboBox*>(list);
    if (box && path)
        box->AddString(CString(QFileInfo(QString::fromLocal8Bit(path)).completeBaseName()));
    return 0;
}

void CRoutingDlg::Save(const char*) { }

void CRoutingDlg::Load(const char*, bool) { }

void CRoutingDlg::SaveFirst()
{
    if (initialSaved)
        return;
    Save("-Initial");
    initialSaved = true;
}

void CRoutingDlg::OnSelchangeFactory() { }

void CRoutingDlg::OnSelchangeUser() { }

void CRoutingDlg::OnEditchangeUser() { }

void CRoutingDlg::OnSave() { }

void CRoutingDlg::OnOkExit()
{
    if (savedModeValue >= 0)
        SendSetValue(0x10010016, savedModeValue);
    Save("-Previous");
    FlushSetQueue();
    EndDialog(IDOK);
}

void CRoutingDlg::OnCancel()
{
    if (savedModeValue >= 0)
        SendSetValue(0x10010016, savedModeValue);
    FlushSetQueue();
    EndDialog(IDCANCEL);
}
