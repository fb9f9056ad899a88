// Keeping the page and the device equal: the two outgoing queues, the 30 ms
// pump, the requests and the application of reported values.
#include "CRoutingDlg.h"

#include "AppGlobals.h"
#include "CMenu.h"
#include "FrameworkAssert.h"
#include "MIDIbase.h"
#include "MIDIconfigInfo.h"
#include "MessageBoxHook.h"
#include "MidiPorts.h"
#include "ModelTables.h"
#include "ProfileStore.h"
#include "PumpClock.h"
#include "SysexVocabulary.h"

#include <QWidget>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::uint64_t replyWaitMs = 1000;
constexpr int setMessagesPerTick = 3;
constexpr std::uint64_t portPollMs = 1500;

// Hands one message to the protocol object and starts its reply time. The
// time starts once the message is out: opening a link on the first send can
// take longer than the whole reply wait on a busy machine.
void sendNow(CRoutingDlg& dlg, sendObj& m)
{
    const char* text = m.text;
    dlg.protocol.SysxCommand(static_cast<unsigned char>(m.command & 0xFF), text,
        static_cast<int>(std::strlen(text)), dlg.GetWidget());
    m.deadline = pumpNow() + replyWaitMs;
}

void deleteAll(CMObList<sendObj>& queue)
{
    while (!queue.IsEmpty())
        delete static_cast<sendObj*>(queue.RemoveTail());
}

// The device quotes words with apostrophes and puts blanks inside them; as
// double-quoted words with underscores they read as one field each.
void joinQuotedWords(std::string& text)
{
    int quotes = 0;
    for (char& c : text) {
        if (c == '\'')
            c = '"';
        if (c == '"')
            ++quotes;
        else if ((c == ' ' || c == '\t') && quotes % 2 == 1)
            c = '_';
    }
}

// An object-information reply: the device's name (key 0) or a gain with its range.
void handleObjectInfo(CRoutingDlg& dlg, std::string text)
{
    // Every word buffer can hold the whole text, so no field can overrun it.
    const std::size_t size = text.size() + 1;
    std::vector<char> w1(size), w2(size), w3(size);
    int number = 0;
    unsigned long key = 0;
    unsigned long key2 = 0;
    if (text.compare(0, 3, "COL") == 0) {
        if (std::sscanf(
                text.c_str(), "%s %d %lx %lx %s", w1.data(), &number, &key, &key2, w2.data())
                == 5
            && key == 0) {
            const char* name = w2.data();
            if (*name == '\'')
                ++name;
            dlg.GotRoot(name);
        }
    } else if (text.compare(0, 3, "NUM") == 0) {
        joinQuotedWords(text);
        double gain = 0, low = 0, high = 0, step = 0;
        if (std::sscanf(text.c_str(), "%s %d %lx %lx %s %s %lf %lf %lf %lf", w1.data(), &number,
                &key, &key2, w2.data(), w3.data(), &gain, &low, &high, &step)
                == 10
            && !dlg.StaleReport(static_cast<long>(key)) && std::isfinite(gain) && std::isfinite(low)
            && std::isfinite(high) && std::isfinite(step))
            dlg.PutGain(static_cast<long>(key), gain, low, high, step);
    }
}

// A value report: key, then the value in hexadecimal (or a gain in dB).
void handleValueReport(CRoutingDlg& dlg, const std::string& text)
{
    unsigned long key = 0;
    unsigned int value = 0;
    if (std::sscanf(text.c_str(), "%lx %x", &key, &value) == 2) {
        const int v = static_cast<int>(value);
        if (static_cast<long>(key) == sysex::modeKey) {
            // The device's own setting is kept for the end of the run.
            if (v != sysex::heldModeValue) {
                dlg.savedModeValue = v;
                dlg.SendSetValue(sysex::modeKey, sysex::heldModeValue);
            }
        } else if (!dlg.StaleReport(static_cast<long>(key))) {
            dlg.PutSetValue(static_cast<long>(key), v);
        }
    }
    double dB = 0;
    if (std::sscanf(text.c_str(), "%lx %lf", &key, &dB) == 2 && std::isfinite(dB)
        && !dlg.StaleReport(static_cast<long>(key)))
        dlg.PutGain(static_cast<long>(key), dB, 0, 0, 0);
}

// What the editor does with a text reply once it has decided to look at it.
void handleReply(CRoutingDlg& dlg, int command, const char* text)
{
    if (dlg.local)
        return;
    switch (command) {
    case sysex::objectInfo:
        dlg.Want(-1);
        handleObjectInfo(dlg, text);
        break;
    case sysex::setValue:
    case sysex::gainReport:
        dlg.Want(-1);
        handleValueReport(dlg, text);
        break;
    default:
        break;
    }
}

} // namespace

int CRoutingDlg::Send(int command, CString& text, signed char wantsReply)
{
    auto m = std::make_unique<sendObj>(command, text, wantsReply != 0, this);
    if (wantsReply)
        requestQueue.AddTail(m.release());
    else
        setQueue.AddTail(m.release());
    idle();
    return 1;
}

void CRoutingDlg::OnTimer(UINT id)
{
    if (static_cast<int>(id) != timerId)
        return;
    if (!requestQueue.IsEmpty()) {
        auto* h = static_cast<sendObj*>(requestQueue.GetHead());
        const std::uint64_t now = pumpNow();
        if (h->deadline == 0) {
            sendNow(*this, *h);
        } else if (now > h->deadline) {
            if (h->retries++ >= 2) {
                // Three sendings without an answer: the device is not there.
                SetLocal(TRUE);
                MessageBox("Going to Local mode", "Cannot connect", 0);
            } else {
                sendNow(*this, *h);
            }
        }
    }
    for (int i = 0; i < setMessagesPerTick && !setQueue.IsEmpty(); ++i) {
        std::unique_ptr<sendObj> m(static_cast<sendObj*>(setQueue.RemoveHead()));
        sendNow(*this, *m);
    }
    watchPorts();
}

void CRoutingDlg::watchPorts()
{
    // Only in demo mode that a lost or absent device brought: the title tells
    // when the device's ports are back, and unchecking demo mode reconnects.
    if (!local || userChoseDemo || pumpNow() < nextPortPoll)
        return;
    nextPortPoll = pumpNow() + portPollMs;
    const bool seen = MidiPortsPresent(GetProfileString("MIDI", "In", kDefaultMidiPort),
        GetProfileString("MIDI", "Out", kDefaultMidiPort));
    if (seen != devicePortsSeen) {
        devicePortsSeen = seen;
        MakeTitle();
    }
}

void CRoutingDlg::EndDeviceTraffic()
{
    // The mode setting goes back even when the page shows another model than
    // the device's (demo mode): the device itself still holds the value 2.
    if (savedModeValue >= 0) {
        CString text;
        text.Format(sysex::keyValueText, sysex::modeKey, savedModeValue);
        Send(sysex::setValue, text, FALSE);
        savedModeValue = -1;
    }
    while (!setQueue.IsEmpty()) {
        std::unique_ptr<sendObj> m(static_cast<sendObj*>(setQueue.RemoveHead()));
        sendNow(*this, *m);
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
    if (pageReading && requestQueue.IsEmpty()) {
        pageReading = false;
        if (pageIncomplete) {
            pageIncomplete = false;
            MakeTitle();
        }
    }
}

void CRoutingDlg::WantValue(long key)
{
    CString text;
    text.Format(sysex::keyText, key);
    Send(sysex::valueRequest, text, TRUE);
}

int CRoutingDlg::WantParams(long key, int index)
{
    // The box below runs a nested event loop; the pump and replies may call
    // here again while it is open.
    static bool errorBoxOpen = false;
    if (local || errorBoxOpen)
        return 0;
    int err = 0;
    if (!protocol.Connected()) {
        err = protocol.Open(1);
        if (err != 0) {
            CString caption;
            caption.Format("Communications error (E%d)", err);
            // The code alone names no cause: the transport explains it.
            CString why;
            protocol.GetDriver()->ExplainErr(err, why);
            errorBoxOpen = true;
            const int answer
                = MessageBox("Fix the problem then hit OK\nor hit CANCEL to enter off-line mode",
                    caption, 16, why);
            errorBoxOpen = false;
            if (static_cast<UINT>(answer) == IDCANCEL) {
                SetLocal(TRUE);
                userChoseDemo = true;
                return err;
            }
        }
    }
    CString text;
    text.Format(sysex::keyIndexText, key, index);
    Send(sysex::objectInfoRequest, text, TRUE);
    return err;
}

void CRoutingDlg::SendSetValue(long key, int value)
{
    if (key <= 100 || deviceModel != tablenum)
        return;
    if (pageReading)
        sentDuringRead.insert(key);
    CString text;
    text.Format(sysex::keyValueText, key, value);
    Send(sysex::setValue, text, FALSE);
}

void CRoutingDlg::SendValue(long key, float dB)
{
    if (deviceModel != tablenum)
        return;
    if (pageReading)
        sentDuringRead.insert(key);
    CString text;
    text.Format("%lx %f", key, static_cast<double>(dB));
    Send(sysex::setGain, text, FALSE);
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

bool CRoutingDlg::StaleReport(long key) const
{
    return pageReading && key != sysex::modeKey && sentDuringRead.count(key) > 0;
}

void CRoutingDlg::GetValues()
{
    pageReading = true;
    sentDuringRead.clear();
    WantValue(sysex::modeKey);
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
    // Nodes an option keeps off the page have gains on the device too; read
    // them, or they would show and save a gain nobody chose.
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        IODesc* n = nodes.Next(pos);
        if (!n->gainKey || activeNodes.GetIndex(n) >= 0)
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
    // Models come from the menu and from known device names, all rows of the table.
    if (!ASSERT(model >= 0 && model < modelCount))
        return;
    tablenum = model;
    WriteProfileInt("main", "machine", model);
    LoadGraphics();
    Invalidate(TRUE);
    // A new page: what was read of the old one does not count for it.
    pageReading = pageIncomplete = false;
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
    if (pageReading && !requestQueue.IsEmpty()) {
        // The device never sent the rest: the page is partly the device's
        // routing and partly what it showed before.
        pageIncomplete = true;
        MakeTitle();
    }
    pageReading = false;
    deleteAll(requestQueue);
    deleteAll(setQueue);
    if (local == on)
        return;
    local = on;
    WriteProfileInt("main", "local", on);
    MakeTitle();
    if (CMenu* menu = GetSystemMenu(FALSE))
        menu->CheckMenuItem(109, on ? mfChecked : 0);
    if (on)
        return;
    userChoseDemo = false;
    devicePortsSeen = false;
    gotRoot = false;
    WantParams(0, 1);
}

void CRoutingDlg::OnLinkLost(int why)
{
    // Off line already: nothing was under way and nothing is lost.
    if (local)
        return;
    SetLocal(TRUE);
    MessageBox(why == MIDIbase::PortsGone
            ? "The device's MIDI ports have gone.\nGoing to Local mode"
            : "The MIDI service has stopped.\nGoing to Local mode",
        "Connection lost", 0);
}

bool CRoutingDlg::ConfirmPage()
{
    if (!pageIncomplete)
        return true;
    const int answer = MessageBox("The routing was not read completely from the device.\n"
                                  "Keep it as \"-Previous\" anyway?",
        "Routing", MB_YESNO | MB_ICONWARNING);
    if (answer != IDYES)
        return false;
    pageIncomplete = false;
    return true;
}

void CRoutingDlg::ProcessTextMessage(int command, const char* text)
{
    if (!text || !*text)
        return;
    // Replies of a device whose model is not shown are not applied, except the
    // identification that may bring its page.
    if (deviceModel != tablenum && gotRoot)
        return;
    handleReply(*this, command, text);
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
    std::unique_ptr<char[]> t(reinterpret_cast<char*>(text));
    if (t)
        handleReply(*this, static_cast<int>(command), t.get());
    return 0;
}

LRESULT CRoutingDlg::OnStopMessage(WPARAM, LPARAM)
{
    deleteAll(setQueue);
    return 1;
}
