// The editor's handling of device replies ("COL" and "NUM" object
// information, value reports, anything else), fed arbitrary replies to a real
// editor window on the offscreen platform.
//
// Input: a byte choosing the model shown, a flags byte (bit 0: a node with a
// gain is selected, so its slider follows; bit 1: replies arrive as MIDI data
// through assembly; bit 2: the device is still being identified), then
// replies: pieces of a length byte, a byte choosing the command, and the text.
//
// Besides what the sanitizers catch, after every reply it checks that
//  - every gain is finite and, where the node has a range, inside it,
//  - every node's source is one of its possible sources,
//  - the shown model is one of the three,
//  - a reply sends nothing by itself: what it asks for waits in the queues.
#include "FuzzSupport.h"

#include "AppFolders.h"
#include "AppGlobals.h"
#include "CRoutingDlg.h"
#include "IODesc.h"
#include "MIDIbase.h"
#include "ModelTables.h"
#include "NQLineEdit.h"
#include "ProfileStore.h"
#include "RtMidiMsg.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Sends nothing; counts what the editor sends.
class CountingLink : public MIDIbase {
public:
    int IsOpen() override { return 1; }
    int Open(signed char) override { return 0; }
    int Send(int, sendInfo*) override
    {
        ++sends;
        return 0;
    }
    int sends = 0;
};

// Panel files for model m: a small blank picture (loading and scaling a big
// one would cost most of an input) and a grid of one LED region per node and
// one button per port option.
void writePanelFiles(int m)
{
    const QString dir = settingsPath().toQString();
    QDir().mkpath(dir);
    QImage img(246, 190, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.save(dir + "/" + main_table[m].bitmapFile, "BMP");
    std::ostringstream out;
    out << "OUTLINE 0,0,245,189\n";
    const int count = ioNodeCount(main_table[m]);
    for (int n = 0; n < count; ++n) {
        const int x = 5 + (n / 20) * 25;
        const int y = 5 + (n % 20) * 8;
        out << "LED " << x << "," << y << "," << x + 3 << "," << y + 3 << "\n";
    }
    const int buttons = comboDescCount(main_table[m].comboDescs);
    for (int i = 0; i < buttons; ++i)
        out << "BUTTON " << 5 + i * 30 << ",175," << 20 + i * 30 << ",182\n";
    QFile f(dir + "/" + main_table[m].panelFile);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(out.str().c_str());
}

void startUp()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    fuzz::quietStartUp();
    const std::string root = fuzz::scratchPath("");
    for (const char* sub : { "home", "config", "data", "datadirs", "runtime", "work" })
        QDir().mkpath(QString::fromStdString(root + sub));
    setenv("HOME", (root + "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root + "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root + "data").c_str(), 1);
    setenv("XDG_DATA_DIRS", (root + "datadirs").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root + "runtime").c_str(), 1);
    QFile::setPermissions(QString::fromStdString(root + "runtime"),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "q7300-fuzz";
    static char* argv[] = { name, nullptr };
    // Never destroyed: the editor window lives to the end of the process.
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
    // Nothing else here waits for the processor: a page read does not give it away.
    setIdleYield([] {});
    static QSettings store(QString::fromStdString(root + "settings.ini"), QSettings::IniFormat);
    SetProfileStore(&store);
    for (int m = 0; m < modelCount; ++m)
        writePanelFiles(m);
    // The editor makes preset folders in the current folder.
    QDir::setCurrent(QString::fromStdString(root + "work"));
}

const int kCommands[] = { 50, 50, 50, 60, 60, 46, 45, 0, 64, 8, 13 };

void checkPage(const CRoutingDlg& dlg, const std::string& reply)
{
    FUZZ_CHECK(tablenum >= 0 && tablenum < modelCount, "model " + std::to_string(tablenum));
    for (POSITION pos = dlg.nodes.GetHeadPosition(); pos;) {
        const auto* n = static_cast<const IODesc*>(dlg.nodes.GetNext(pos));
        FUZZ_CHECK(std::isfinite(n->gain), "gain not finite after " + reply);
        if (n->gainMax > n->gainMin)
            FUZZ_CHECK(n->gain >= n->gainMin - 1e-9 && n->gain <= n->gainMax + 1e-9,
                "gain " + std::to_string(n->gain) + " outside " + std::to_string(n->gainMin) + ".."
                    + std::to_string(n->gainMax) + " after " + reply);
        if (n->source)
            FUZZ_CHECK(n->IoValue(n->source) != IODesc::noValue,
                "a node has a source it cannot take after " + reply);
    }
}

std::vector<IODescList*> nodeLists(CRoutingDlg& d)
{
    std::vector<IODescList*> all { &d.activeNodes };
    for (IODescList& side : comboDescList)
        all.push_back(&side);
    return all;
}

// Everything of the editor a reply can change, as bytes: two editors that give
// the same bytes start an input alike.
std::string pageState(CRoutingDlg& d)
{
    // A node is named by its table row and index, the same in every page of
    // the model (row addresses fit in 48 bits).
    auto at = [](const IODesc* n) {
        return n ? reinterpret_cast<std::uintptr_t>(n->entry) | std::uintptr_t(n->index) << 48 : 0;
    };
    std::string s;
    s.reserve(16384);
    auto put = [&s](auto... v) { (s.append(reinterpret_cast<const char*>(&v), sizeof v), ...); };
    CString text;
    d.gainEdit->GetWindowText(text);
    s += d.GetWidget()->windowTitle().toStdString() + '|' + static_cast<const char*>(text) + '|';
    put(tablenum, d.local, d.gotRoot, d.deviceModel, d.savedModeValue, d.pageReading,
        d.pageIncomplete, d.userChoseDemo, d.devicePortsSeen, d.requestQueue.GetCount(),
        d.setQueue.GetCount(), d.history.CanUndo(), d.history.CanRedo(), at(d.selectedNode),
        d.lines.GetCount());
    for (POSITION pos = d.nodes.GetHeadPosition(); pos;) {
        const IODesc* n = d.nodes.Next(pos);
        put(at(n->source), n->value, n->lastValue, n->gain, n->gainMin, n->gainMax, n->gainStep,
            n->disabled, n->highlighted, n->placeGroup);
    }
    for (const IODescList* list : nodeLists(d)) {
        for (POSITION pos = list->GetHeadPosition(); pos;)
            put(at(list->Next(pos)));
        put(-3);
    }
    for (POSITION pos = d.optionCombos.GetHeadPosition(); pos;)
        put(static_cast<const RComboBox*>(d.optionCombos.GetNext(pos))->GetCurSel());
    for (POSITION pos = d.optionButtons.GetHeadPosition(); pos;) {
        const auto* button = static_cast<const RButton*>(d.optionButtons.GetNext(pos));
        button->GetWindowText(text);
        s += static_cast<const char*>(text);
        put(button->IsWindowEnabled());
    }
    return s;
}

void deleteAll(CMObList<sendObj>& queue)
{
    while (!queue.IsEmpty())
        delete static_cast<sendObj*>(queue.RemoveTail());
}

// What replies and option switches change of a node.
auto fields(IODesc& n)
{
    return std::tie(n.gain, n.gainStep, n.gainMin, n.gainMax, n.disabled, n.highlighted, n.source,
        n.value, n.lastValue, n.placeGroup);
}
template <class... T> std::tuple<T...> values(std::tuple<T&...> refs)
{
    return refs;
}
using NodeFields = std::pair<IODesc*, decltype(values(fields(std::declval<IODesc&>())))>;

// A page as LoadGraphics built it: its nodes and the order of every node list.
struct Page {
    int model = -1;
    std::vector<NodeFields> nodes;
    std::vector<std::vector<IODesc*>> lists; // activeNodes, then comboDescList
};

// True when the editor still shows the page p was taken of (no model change
// built another one since).
bool samePage(const CRoutingDlg& d, const Page& p)
{
    size_t i = 0;
    for (POSITION pos = d.nodes.GetHeadPosition(); pos; ++i)
        if (i >= p.nodes.size() || d.nodes.Next(pos) != p.nodes[i].first)
            return false;
    return p.model == tablenum && i == p.nodes.size();
}

// Puts the editor back to how a new window of the model starts in demo mode:
// the page as first built (built again only for another model: making its
// widgets would cost most of an input), and every field a reply may change.
void resetEditor(CRoutingDlg& d, int model, Page& page)
{
    deleteAll(d.requestQueue);
    d.local = 1;
    d.gotRoot = false;
    d.deviceModel = d.savedModel = d.initialModel = d.savedModeValue = -1;
    d.initialSaved = d.initialTried = d.pageReading = d.pageIncomplete = false;
    d.userChoseDemo = d.devicePortsSeen = false;
    tablenum = model;
    if (!samePage(d, page)) {
        d.LoadGraphics();
        page = Page { model, {}, {} };
        for (POSITION pos = d.nodes.GetHeadPosition(); pos;) {
            IODesc* n = d.nodes.Next(pos);
            page.nodes.emplace_back(n, values(fields(*n)));
        }
        for (IODescList* list : nodeLists(d)) {
            page.lists.emplace_back();
            for (POSITION pos = list->GetHeadPosition(); pos;)
                page.lists.back().push_back(list->Next(pos));
        }
    }
    d.selectedNode = d.dropTarget = d.hoverNode = nullptr;
    deleteAll(d.setQueue);
    d.DeleteAllLines();
    for (const NodeFields& f : page.nodes)
        fields(*f.first) = f.second;
    const std::vector<IODescList*> lists = nodeLists(d);
    for (size_t i = 0; i < lists.size(); ++i) {
        lists[i]->RemoveAll();
        for (IODesc* n : page.lists[i])
            lists[i]->AddTail(n);
    }
    int i = 0;
    for (POSITION pos = d.optionCombos.GetHeadPosition(); pos; ++i) {
        static_cast<RComboBox*>(d.optionCombos.GetNext(pos))->SetCurSel(0);
        runComboProc(main_table[model].comboDescs[i].proc, -1);
        d.PutButtonText(i);
    }
    for (POSITION pos = d.optionButtons.GetHeadPosition(); pos;)
        static_cast<RButton*>(d.optionButtons.GetNext(pos))->EnableWindow(TRUE);
    d.history.Clear();
    d.EnableSlider();
    d.MakeTitle();
}

// Editors for the whole run: making a window per input would cost most of
// the time. Each input starts from a reset that is checked against a newly
// made editor of its model, so an input replays alone as it ran.
struct Editors {
    // Live to the end (after the application they cannot go); one per model,
    // so that a page is built again only after a reply switched the model.
    CRoutingDlg* dlg[modelCount] = {};
    std::string fresh[modelCount];
    Page page[modelCount]; // the page last built in dlg
};

std::unique_ptr<CRoutingDlg> makeEditor(int model)
{
    WriteProfileString("Nerilune", "Sizer", "40,60,441,460");
    WriteProfileInt("main", "machine", model);
    WriteProfileInt("main", "local", 1);
    auto dlg = std::make_unique<CRoutingDlg>(nullptr);
    dlg->Create(CRoutingDlg::dialogTemplateId, nullptr);
    dlg->KillTimer(dlg->timerId);
    // Hidden: painting is not what this target feeds, and a repaint after
    // every queued request would cost most of an input.
    dlg->ShowWindow(0);
    return dlg;
}

Editors& editors()
{
    static Editors e;
    for (int m = 0; !e.dlg[modelCount - 1]; ++m) {
        e.dlg[m] = makeEditor(m).release();
        e.fresh[m] = pageState(*e.dlg[m]);
    }
    return e;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    startUp();
    if (size < 2)
        return 0;
    const int model = data[0] % modelCount;
    const std::uint8_t flags = data[1];
    Editors& e = editors();
    CRoutingDlg* dlg = theDlg = e.dlg[model];
    thisProcessor = &dlg->protocol;
    resetEditor(*dlg, model, e.page[model]);
    FUZZ_CHECK(pageState(*dlg) == e.fresh[model], "the reset editor differs from a new one");
    auto owned = std::make_unique<CountingLink>();
    CountingLink* link = owned.get();
    dlg->protocol.InstallTransport(std::move(owned), commMidi);
    // On line with the shown model, or still identifying the device.
    dlg->local = 0;
    dlg->gotRoot = !(flags & 4);
    dlg->deviceModel = (flags & 4) ? -1 : tablenum;
    if (flags & 1) {
        for (POSITION pos = dlg->nodes.GetHeadPosition(); pos;) {
            auto* n = static_cast<IODesc*>(dlg->nodes.GetNext(pos));
            if (n->gainKey) {
                dlg->selectedNode = n;
                break;
            }
        }
    }

    fuzz::Pieces in(data + 2, size - 2);
    Bytes piece;
    while (in.next(piece)) {
        if (piece.empty())
            continue;
        const int command = kCommands[piece[0] % (sizeof kCommands / sizeof kCommands[0])];
        std::string text(piece.begin() + 1, piece.end());
        // A reply text ends at its first zero byte.
        if (const size_t zero = text.find('\0'); zero != std::string::npos)
            text.resize(zero);
        const int sends = link->sends;
        if (flags & 2) {
            // As the device would send it: framed, every byte below 0x80.
            Bytes m { 0xF0, 0x7D, 0x70, 0x01, static_cast<std::uint8_t>(command) };
            for (char c : text)
                m.push_back(static_cast<std::uint8_t>(c) & 0x7F);
            m.push_back(0xF7);
            dlg->OnMidiMessage(0, reinterpret_cast<LPARAM>(new RtMidiMsg(m.data(), m.size())));
        } else {
            dlg->ProcessTextMessage(command, text.c_str());
        }
        checkPage(*dlg, std::to_string(command) + " \"" + text + "\"");
        FUZZ_CHECK(link->sends == sends, "a reply sent something at once");
    }
    // What the input left to the event loop happens now, within this input.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
