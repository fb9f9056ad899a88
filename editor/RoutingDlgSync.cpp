// Keeping the page and the device equal: the two outgoing queues, the 30 ms
// pump, the requests and the application of reported values.
#include "CRoutingDlg.h"

#include "AppGlobals.h"
#include "CMenu.h"
#include "AppFolders.h"
#include "ModelTables.h"
#include "ProfileStore.h"
#include "TickCount.h"

#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

constexpr long modeKey = 0x10010016; // device setting held at 2 while the editor runs
constexpr unsigned replyWaitMs = 1000;

} // namespace

int CRoutingDlg::Send(int command, CString& text, signed char wantsReply)
{
    auto* m = new sendObj(command, text, wantsReply != 0, this);
    if (wantsReply)
        requestQueue.AddTail(m);
    else
        setQueue.AddTail(m);
    idle();
    return 1;
}

// Hands one message to the protocol object and starts its reply time.
static void sendNow(CRoutingDlg& dlg, sendObj& m)
{
    const char* text = m.text;
    dlg.protocol.SysxCommand(
        m.command & 0xFF, text, static_cast<int>(std::strlen(text)), dlg.GetWidget());
    m.deadline = static_cast<unsigned>(GetTickCount()) + replyWaitMs;
}

void CRoutingDlg::OnTimer(UINT id)
{
    if (static_cast<int>(id) != timerId)
        return;
    if (!requestQueue.IsEmpty()) {
        auto* h = static_cast<sendObj*>(requestQueue.GetHead());
        const unsigned now = static_cast<unsigned>(GetTickCount());
        if (h->deadline == 0) {
            sendNow(*this, *h);
        } else if (now > h->deadline) {
            if (h->retries++ >= 2) {
                SetLocal(TRUE);
                MessageBox("Going to Local mode", "Cannot connect", 0);
            } else {
                sendNow(*this, *h);
            }
        }
    }
    for (int i = 0; i < 3 && !setQueue.IsEmpty(); ++i) {
        auto* m = static_cast<sendObj*>(setQueue.RemoveHead());
        sendNow(*this, *m);
        delete m;
    }
}

void CRoutingDlg::FlushSetQueue()
{
    while (!setQueue.IsEmpty()) {
        auto* m = static_cast<sendObj*>(setQueue.RemoveHead());
        sendNow(*this, *m);
        delete m;
    }
}

void CRoutingDlg::Want(int n)
{
    if (n >= 0 || requestQueue.IsEmpty())
        return;
    auto* h = static_cast<sendObj*>(requestQueue.GetHead());
    if (h->deadline == 0)
        return;
    requestQueue.RemoveHead();
    delete h;
}

void CRoutingDlg::WantValue(long key)
{
    CString text;
    text.Format("%lx", key);
    Send(59, text, TRUE);
}

int CRoutingDlg::WantParams(long key, int index)
{
    static bool errorBoxOpen = false;
    if (local || errorBoxOpen)
        return 0;
    int err = 0;
    if (!protocol.Connected()) {
        err = protocol.Open(1);
        if (err != 0) {
            CString caption;
            caption.Format("Communications error (E%d)", err);
            errorBoxOpen = true;
            const int answer = MessageBox(
                "Fix the problem then hit OK\nor hit CANCEL to enter off-line mode", caption, 16);
            errorBoxOpen = false;
            if (static_cast<UINT>(answer) == IDCANCEL) {
                SetLocal(TRUE);
                return err;
            }
        }
    }
    CString text;
    text.Format("%lx %d", key, index);
    Send(49, text, TRUE);
    return err;
}

void CRoutingDlg::SendSetValue(long key, int value)
{
    if (key <= 100 || deviceModel != tablenum)
        return;
    CString text;
    text.Format("%lx %d", key, value);
    Send(60, text, FALSE);
}

void CRoutingDlg::SendValue(long key, float dB)
{
    if (deviceModel != tablenum)
        return;
    CString text;
    text.Format("%lx %f", key, static_cast<double>(dB));
    Send(45, text, FALSE);
}

void CRoutingDlg::PutSetValue(long key, int value)
{
    for (POSITION pos = activeNodes.GetHeadPosition(); pos;) {
        auto* n = static_cast<IODesc*>(activeNodes.GetNext(pos));
        if (n->key != key)
            continue;
        IODesc* src = n->ConnectionFromIndex(value);
        if (src != n->source) {
            PutLine(n, src, true);
        } else {
            // The reported value is recorded even when the page already shows
            // it, or the next local change of this destination would count as
            // its first value and never be sent.
            int v = 0;
            n->InputChanged(v);
        }
        return;
    }
    const model_entry* model = currentModel();
    if (!model || !model->comboDescs)
        return;
    int k = 0;
    for (POSITION pos = optionCombos.GetHeadPosition(); pos; ++k) {
        auto* list = static_cast<RComboBox*>(optionCombos.GetNext(pos));
        const ComboDesc& row = model->comboDescs[k];
        if (!row.texts)
            break;
        if (row.key != key)
            continue;
        // A choice the option does not have is ignored.
        if (value < 0 || value >= list->GetCount())
            return;
        list->SetCurSel(value);
        runComboProc(row.proc, value);
        PutButtonText(k);
        return;
    }
}

void CRoutingDlg::Scan()
{
    for (POSITION pos = activeNodes.GetHeadPosition(); pos;) {
        auto* n = static_cast<IODesc*>(activeNodes.GetNext(pos));
        int v = 0;
        if (n->InputChanged(v))
            SendSetValue(n->key, v);
    }
}

void CRoutingDlg::GetValues()
{
    WantValue(modeKey);
    const model_entry* model = currentModel();
    if (model && model->comboDescs) {
        for (const ComboDesc* row = model->comboDescs; row->texts; ++row) {
            if (row->key)
                WantValue(row->key);
            idle();
        }
    }
    for (POSITION pos = activeNodes.GetHeadPosition(); pos;) {
        auto* n = static_cast<IODesc*>(activeNodes.GetNext(pos));
        if (!n->key)
            continue;
        for (int k = 0; k < n->entry->inputs; ++k)
            WantValue(n->key + k);
        idle();
    }
    for (POSITION pos = activeNodes.GetHeadPosition(); pos;) {
        auto* n = static_cast<IODesc*>(activeNodes.GetNext(pos));
        if (!n->gainKey)
            continue;
        WantParams(n->gainKey, 3);
        idle();
    }
}

void CRoutingDlg::OnRefresh()
{
    GetValues();
}

void CRoutingDlg::GotRoot(const char* name)
{
    if (gotRoot)
        return;
    gotRoot = true;
    const model_entry* model = currentModel();
    if (model && CString(name).CompareNoCase(model->modelName) == 0) {
        deviceModel = tablenum;
        GetValues();
    } else {
        int found = -1;
        for (int i = 0; i < modelCount && found < 0; ++i)
            if (CString(name).CompareNoCase(main_table[i].modelName) == 0)
                found = i;
        if (found >= 0) {
            deviceModel = found;
            ChangeTable(found);
        } else {
            CString text;
            text.Format("This program cannot be used with %s", name);
            MessageBox(text, "Routing", 2);
        }
    }
    MakeTitle();
}

void CRoutingDlg::ChangeTable(int model)
{
    if (model < 0 || model >= modelCount)
        return;
    tablenum = model;
    WriteProfileInt("main", "machine", model);
    LoadGraphics();
    Invalidate(TRUE);
    if (model == deviceModel) {
        gotRoot = false;
        SetLocal(FALSE);
        GetValues();
    } else {
        SetLocal(TRUE);
    }
}

void CRoutingDlg::SetLocal(signed char on)
{
    while (!requestQueue.IsEmpty())
        delete static_cast<sendObj*>(requestQueue.RemoveTail());
    while (!setQueue.IsEmpty())
        delete static_cast<sendObj*>(setQueue.RemoveTail());
    if (local == on)
        return;
    local = on;
    WriteProfileInt("main", "local", on);
    MakeTitle();
    if (CMenu* menu = GetSystemMenu(FALSE))
        menu->CheckMenuItem(109, on ? mfChecked : 0);
    if (on)
        return;
    gotRoot = false;
    WantParams(0, 1);
}

void CRoutingDlg::ProcessTextMessage(int command, const char* text)
{
    if (!text || !*text || !(deviceModel == tablenum || !gotRoot))
        return;
    if (local)
        return;
    // Reply parsing and its effects are completed with the device link.
    (void)command;
}

LRESULT CRoutingDlg::OnMidiMessage(WPARAM, LPARAM l)
{
    if (!l)
        return 0;
    protocol.ProcessMidiMsg(reinterpret_cast<MidiMsg*>(l), GetWidget());
    return 0;
}

LRESULT CRoutingDlg::OnLineMessage(WPARAM command, LPARAM text)
{
    char* t = reinterpret_cast<char*>(text);
    (void)command;
    delete[] t;
    return 0;
}

LRESULT CRoutingDlg::OnStopMessage(WPARAM, LPARAM)
{
    while (!setQueue.IsEmpty())
        delete static_cast<sendObj*>(setQueue.RemoveTail());
    return 1;
}
