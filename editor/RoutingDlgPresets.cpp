// Routing presets: file names, saving and loading, the preset lists and the
// automatic presets "-Initial" and "-Previous".
#include "CRoutingDlg.h"

#include "AppFolders.h"
#include "EasyAfnFile.h"
#include "MessageBoxHook.h"
#include "ModelTables.h"
#include "NQButton.h"
#include "PresetFile.h"

#include <QFileInfo>

#include <cstring>

namespace {

// Loading clears every source but keeps the values, so a destination the
// preset leaves without a source would still hold its old value, and the next
// save would write that source back. Its value becomes "none", counted as sent.
void forgetStaleValue(const IODescList& active, long key)
{
    for (POSITION pos = active.GetHeadPosition(); pos;) {
        IODesc* n = active.Next(pos);
        if (n->key != key)
            continue;
        if (!n->source && n->value != IODesc::noValue) {
            n->value = IODesc::noValue;
            int v = 0;
            n->InputChanged(v);
        }
        return;
    }
}

} // namespace

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
    if (!box || !path)
        return 0;
    const CString name(QFileInfo(textToQString(path)).completeBaseName());
    // A file named only ".rut" has no name to offer.
    if (!name.IsEmpty())
        box->AddString(name);
    return 0;
}

bool CRoutingDlg::Save(const char* name)
{
    CString path;
    MakeFileName(name ? name : "", path, FALSE);
    if (!PresetFile::IsValidName(name)) {
        // A name that is no plain file name would leave the model folder or
        // change the file's kind.
        MessageBox(path, "Cannot save file", MB_ICONWARNING);
        return false;
    }
    // A page that lacks nodes or options of its model (a panel file missing or
    // damaged) has no whole routing to record: saving it would replace a good
    // preset, "-Previous" above all, with a short one.
    const model_entry* model = currentModel();
    if (!model || nodes.GetCount() < ioNodeCount(*model)
        || optionCombos.GetCount() < comboDescCount(model->comboDescs))
        return false;
    CString folder;
    MakeFileName(nullptr, folder, FALSE);
    MakeDir(folder);

    PresetFile file;
    // Every node, also those an option keeps off the page, so that a preset
    // restores their gains and sources whatever options are on.
    for (POSITION pos = nodes.GetHeadPosition(); pos;)
        file.AddNode(*nodes.Next(pos));
    ForEachOption([&](int, const ComboDesc& row, RComboBox& list) {
        file.AddValue(row.key, list.GetCurSel());
    });
    if (!file.Commit(path)) {
        MessageBox(path, "Cannot save file", MB_ICONWARNING);
        return false;
    }
    // Listed only: the field keeps what the user picked or typed.
    if (userPresets.GetWidget() && userPresets.FindStringExact(-1, name) < 0)
        userPresets.AddString(name);
    return true;
}

void CRoutingDlg::Load(const char* name, bool factory)
{
    // Names come from the lists; one holding a folder separator could reach
    // files outside the model folder.
    if (!name || !*name || std::strchr(name, '/'))
        return;
    CString path;
    MakeFileName(name, path, factory);
    LoadFile(path);
}

void CRoutingDlg::LoadFile(const CString& path)
{
    PresetFile file;
    if (!file.Open(path))
        return;
    // An empty or foreign file would otherwise clear the page and send that
    // to the device.
    if (!file.IsPreset()) {
        MessageBox(path, "Not a routing preset", MB_ICONWARNING);
        return;
    }
    const PageValues before = CapturePage();
    SaveFirst();

    DeleteAllLines();
    nodes.ResetInputs();
    selectedLines.RemoveAll();
    // Every option off, so every group is back where the page started; the
    // option lines at the end of the file swap the optional nodes back in.
    ForEachOption([&](int k, const ComboDesc& row, RComboBox& list) {
        list.SetCurSel(0);
        runComboProc(row.proc, 0);
        PutButtonText(k);
    });

    std::string line;
    bool tooLong = false;
    while (file.ReadLine(line, tooLong)) {
        const PresetFile::Record r = PresetFile::Parse(line, tooLong);
        switch (r.kind) {
        case PresetFile::Record::gainLine:
            // Key 0 is no node's gain key: a node without one must not take it.
            if (r.key != 0) {
                PutGain(r.key, r.gain, 0, 0, 0);
                // Nodes an option keeps off the page take their gain too, or
                // it would be lost when the option's line brings them back.
                for (POSITION pos = nodes.GetHeadPosition(); pos;) {
                    IODesc* n = nodes.Next(pos);
                    if (n->gainKey == r.key && activeNodes.GetIndex(n) < 0)
                        n->SetGain(r.gain);
                }
            }
            SendValue(r.key, r.gain);
            break;
        case PresetFile::Record::valueLine:
            if (r.key != 0) {
                PutSetValue(r.key, r.value);
                forgetStaleValue(activeNodes, r.key);
            }
            SendSetValue(r.key, r.value);
            break;
        case PresetFile::Record::badLine:
            MessageBox(PresetFile::Printable(line), "Bad Load File Line", MB_ICONWARNING);
            break;
        case PresetFile::Record::nameLine:
        case PresetFile::Record::blank:
            break;
        }
    }
    file.Close();
    Scan();
    RecordEdit(before);
    if (pageIncomplete) {
        // Every value of the page is set now.
        pageIncomplete = false;
        MakeTitle();
    }
}

void CRoutingDlg::SaveFirst()
{
    // One try: a later one would record a routing already changed.
    if (initialTried)
        return;
    initialTried = true;
    initialSaved = Save("-Initial");
    initialModel = tablenum;
}

int CRoutingDlg::FactoryCallback(const char* path, void* window)
{
    auto* dlg = static_cast<CRoutingDlg*>(window);
    const int before = dlg->factoryPresets.GetCount();
    AfnCallback(path, &dlg->factoryPresets);
    if (dlg->factoryPresets.GetCount() == before)
        return 0;
    // Entries keep the number of their file (from 1); the new one has none yet.
    dlg->factoryFiles.emplace_back(path);
    for (int i = 0; i <= before; ++i)
        if (dlg->factoryPresets.GetItemData(i) == 0)
            dlg->factoryPresets.SetItemData(i, static_cast<DWORD>(dlg->factoryFiles.size()));
    return 0;
}

void CRoutingDlg::OnSelchangeFactory()
{
    // Loaded from where it was found: presets of one name may lie in several
    // subfolders.
    const DWORD file = factoryPresets.GetItemData(factoryPresets.GetCurSel());
    if (file == 0 || file > factoryFiles.size())
        return;
    LoadFile(factoryFiles[file - 1]);
    Invalidate(TRUE);
}

void CRoutingDlg::OnSelchangeUser()
{
    CString name;
    if (userPresets.GetLBText(userPresets.GetCurSel(), name) <= 0)
        return;
    Load(name, false);
    Invalidate(TRUE);
}

void CRoutingDlg::OnEditchangeUser()
{
    CString text;
    userPresets.GetWindowText(text);
    if (text.IsEmpty() || !saveButton)
        return;
    saveButton->EnableWindow(PresetFile::IsValidName(text) ? TRUE : FALSE);
}

void CRoutingDlg::OnSave()
{
    CString text;
    userPresets.GetWindowText(text);
    if (!text.IsEmpty())
        Save(text);
}

void CRoutingDlg::OnOkExit()
{
    if (ConfirmPage())
        Save("-Previous");
    EndDeviceTraffic();
    EndDialog(IDOK);
}

void CRoutingDlg::OnCancel()
{
    // "-Initial" holds the device's routing before this run changed it; put it
    // back, but only on a device of the model it was saved from.
    if (initialSaved && initialModel == tablenum && deviceModel == tablenum)
        Load("-Initial", false);
    EndDeviceTraffic();
    EndDialog(IDCANCEL);
}
