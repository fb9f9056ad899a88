// Routing presets in the editor: the exact file a page gives, save and load
// round trips with every port option state, the preset lists, bad lines, failed
// saves, refused names and the automatic "-Initial" and "-Previous".
#include "EditorFixture.h"
#include "SyncFixture.h"

#include "AppFolders.h"
#include "ModelTables.h"
#include "NQButton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <csignal>
#include <set>
#include <sys/resource.h>

using namespace editortest;

namespace {

std::string readAll(const CString& path)
{
    QFile f(path.toQString());
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll().toStdString();
}

void writeAll(const CString& path, const std::string& bytes)
{
    QDir().mkpath(QFileInfo(path.toQString()).absolutePath());
    QFile f(path.toQString());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string crlf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& l : lines)
        out += l + "\r\n";
    return out;
}

std::vector<std::string> entries(const CComboBox& box)
{
    std::vector<std::string> out;
    for (int i = 0; i < box.GetCount(); ++i) {
        CString s;
        box.GetLBText(i, s);
        out.emplace_back(static_cast<const char*>(s));
    }
    return out;
}

// Everything a preset is meant to restore, and what follows from it on the
// page. Nodes are named by their place in the list of all nodes, so pages of
// two editor windows compare too.
struct PageState {
    std::vector<int> values;
    std::vector<int> sources;
    std::vector<double> gains;
    std::vector<int> disabled;
    std::vector<int> choices;
    std::vector<int> active;
    std::set<std::pair<int, int>> lines;
    bool operator==(const PageState&) const = default;
};

} // namespace

class PresetTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        // The user folder is the same for the whole test run: start empty.
        for (int m = 0; m < modelCount; ++m) {
            QDir(configPath().toQString() + "/" + main_table[m].modelName).removeRecursively();
            QDir(settingsPath().toQString() + "/" + main_table[m].modelName).removeRecursively();
        }
    }
    void TearDown() override
    {
        close();
        QFile::remove(configPath().toQString() + "/Q7300");
        EditorTest::TearDown();
    }

    CString userPath(const char* name) const
    {
        CString p;
        dlg->MakeFileName(name, p, false);
        return p;
    }
    CString factoryPath(const char* name) const
    {
        CString p;
        dlg->MakeFileName(name, p, true);
        return p;
    }
    int rows() const { return comboDescCount(currentModel()->comboDescs); }
    const ComboDesc& row(int k) const { return currentModel()->comboDescs[k]; }
    int choice(int k) const { return dlg->optionCombos.Item(k)->GetCurSel(); }
    void setOption(int k, int c) { dlg->PutSetValue(row(k).key, c); }

    PageState state() const
    {
        PageState s;
        auto at = [this](const IODesc* n) { return n ? dlg->nodes.GetIndex(n) : -1; };
        for (POSITION pos = dlg->nodes.GetHeadPosition(); pos;) {
            const IODesc* n = dlg->nodes.Next(pos);
            s.values.push_back(n->value);
            s.sources.push_back(at(n->source));
            s.gains.push_back(n->gain);
            s.disabled.push_back(n->disabled);
        }
        for (int k = 0; k < rows(); ++k)
            s.choices.push_back(choice(k));
        for (POSITION pos = dlg->activeNodes.GetHeadPosition(); pos;)
            s.active.push_back(at(dlg->activeNodes.Next(pos)));
        for (POSITION pos = dlg->lines.GetHeadPosition(); pos;) {
            auto* l = static_cast<Line*>(dlg->lines.GetNext(pos));
            s.lines.insert({ at(l->source), at(l->dest) });
        }
        return s;
    }

    // A routing that depends on seed: each destination on the page takes one
    // of its possible sources or none, each gain node a gain.
    void makeRouting(int seed)
    {
        int i = 0;
        std::vector<IODesc*> dests;
        for (POSITION pos = dlg->activeNodes.GetHeadPosition(); pos;) {
            IODesc* n = dlg->activeNodes.Next(pos);
            if (n->key && n->IsActiveInput())
                dests.push_back(n);
        }
        for (IODesc* n : dests) {
            std::vector<IODesc*> possible;
            n->PossibleSources(possible);
            const int count = static_cast<int>(possible.size());
            const int v = (i++ * 5 + seed) % (count + 1);
            dlg->PutSetValue(n->key, v == count ? 99 : v);
        }
        for (POSITION pos = dlg->nodes.GetHeadPosition(); pos;) {
            IODesc* n = dlg->nodes.Next(pos);
            if (n->gainKey)
                n->SetGain(-0.5 * ((i++ * 7 + seed) % 40));
        }
    }

    // Chooses the user list's entry `name`, as a click in the list does.
    void pick(const char* name)
    {
        const int i = dlg->userPresets.FindStringExact(-1, name);
        ASSERT_GE(i, 0) << name;
        dlg->userPresets.SetCurSel(i);
        ASSERT_EQ(dlg->UpdateMap(0, 0, msgCommand, scSelChange, CRoutingDlg::idUserPresets), 0);
    }

    std::vector<std::string> boxCaptions() const
    {
        std::vector<std::string> out;
        for (const auto& b : boxes->boxes())
            out.push_back(b.caption.toStdString());
        return out;
    }
};

TEST_F(PresetTest, SavedFileHoldsEveryNodeInCreationOrderThenTheOptions)
{
    open(0);
    dlg->PutSetValue(0x1001081a, 3);
    dlg->PutSetValue(0x10010605, 1);
    dlg->PutGain(0x10010612, -12.3, 0, 0, 0);
    node(ANAin, 1)->SetGain(-3.5); // off the page while its option is off
    setOption(0, 1);
    ASSERT_EQ(node(MAINinL, 0)->value, 3);
    ASSERT_EQ(node(DSPAin, 4)->value, 1);
    dlg->Save("page");

    std::vector<std::string> lines = { "10030013 0.0", "10030014 -3.5", "1001081a 3" };
    for (int k = 0x1001081b; k <= 0x10010821; ++k)
        lines.push_back(QString::number(k, 16).toStdString() + " 99");
    for (const char* g : { "1003001a", "1003001b", "1003001c", "1003001d", "10030033", "10030034",
             "10030035", "10030036" })
        lines.push_back(std::string(g) + " 0.0");
    const std::vector<std::string> dsp = { "10010085 0.0", "10010081 99", "10010086 0.0",
        "10010082 99", "10010087 0.0", "10010083 99", "10010088 0.0", "10010084 99",
        "10010612 -12.3", "10010605 1", "10010613 0.0", "10010606 99", "10010614 0.0",
        "10010607 99", "10010615 0.0", "10010608 99", "100100d5 0.0", "100100d1 99", "100100d6 0.0",
        "100100d2 99", "100100d7 0.0", "100100d3 99", "100100d8 0.0", "100100d4 99", "10010618 0.0",
        "1001060c 99", "10010619 0.0", "1001060d 99", "1001061a 0.0", "1001060e 99", "1001061b 0.0",
        "1001060f 99" };
    lines.insert(lines.end(), dsp.begin(), dsp.end());
    for (const char* g : { "100100a0", "100100a1", "100100a2", "100100a3", "10010622", "10010623",
             "10010624", "10010625", "100100e0", "100100e1", "100100e2", "100100e3", "10010629",
             "1001062a", "1001062b", "1001062c" })
        lines.push_back(std::string(g) + " 0.0");
    // The main outputs step by two.
    for (const char* k : { "10010091", "10010093", "10010095", "10010097", "100100c1", "100100c3",
             "100100c5", "100100c7", "10010092", "10010094", "10010096", "10010098", "100100c2",
             "100100c4", "100100c6", "100100c8" })
        lines.push_back(std::string(k) + " 99");
    for (const char* g : { "10030067", "10030068", "10030069", "1003006a", "1003003b", "1003003c",
             "1003003d", "1003003e" })
        lines.push_back(std::string(g) + " 0.0");
    for (int k = 0x10010824; k <= 0x1001082b; ++k)
        lines.push_back(QString::number(k, 16).toStdString() + " 99");
    lines.insert(lines.end(), { "10030063 0.0", "10030064 0.0", "1001005d 1", "1001082d 0" });

    EXPECT_EQ(readAll(userPath("page")), crlf(lines));
    EXPECT_TRUE(boxes->boxes().empty());
}

TEST_F(PresetTest, EveryModelRoundTripsWithEveryOptionStateWhateverIsOnAtLoadTime)
{
    for (int m = 0; m < modelCount; ++m) {
        open(m);
        for (int k = 0; k < rows(); ++k) {
            for (int c = 0; c < comboTextCount(row(k)); ++c) {
                SCOPED_TRACE(
                    ::testing::Message() << "model " << m << " option " << k << " = " << c);
                for (int j = 0; j < rows(); ++j)
                    setOption(j, 0);
                makeRouting(k * 10 + c);
                setOption(k, c);
                const PageState saved = state();
                dlg->Save("trip");
                const std::string bytes = readAll(userPath("trip"));

                // Load over a different page with other options on.
                setOption(k, (c + 1) % comboTextCount(row(k)));
                makeRouting(k * 10 + c + 3);
                dlg->Load("trip", false);
                EXPECT_EQ(state(), saved);
                dlg->Save("again");
                EXPECT_EQ(readAll(userPath("again")), bytes);
            }
        }
    }
    EXPECT_TRUE(boxes->boxes().empty());
}

TEST_F(PresetTest, SpdifSavedOnComesBackOnWithTheSameMainSources)
{
    open(0);
    setOption(0, 1);
    for (int i = 0; i < 8; ++i)
        dlg->PutSetValue(0x1001081a + i, i % 4);
    std::vector<const IODesc*> sources;
    for (int i = 0; i < 8; ++i)
        sources.push_back(node(MAINinL, i)->source);
    ASSERT_TRUE(std::count(sources.begin(), sources.end(), node(SPDIFcin, 0))
        + std::count(sources.begin(), sources.end(), node(SPDIFcin, 1)));
    dlg->Save("spdif");
    setOption(0, 0);
    dlg->Load("spdif", false);
    EXPECT_EQ(choice(0), 1);
    CString text;
    dlg->optionButtons.Item(0)->GetWindowText(text);
    EXPECT_STREQ(text, "on");
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(node(MAINinL, i)->source, sources[i]) << i;
        EXPECT_TRUE(hasLine(sources[i], node(MAINinL, i))) << i;
    }
}

TEST_F(PresetTest, LoadAppliesSendsAndTellsGainsFromSourceChoices)
{
    open(0);
    dlg->deviceModel = 0;
    dlg->PutSetValue(0x1001081b, 2);
    dlg->PutGain(0x1003001a, -5.0, 0, 0, 0);
    clearSetQueue();
    // 0.0 is a gain, 0 a source choice; 99 means no source; keys no node has
    // are still sent, and key 0 takes nobody's gain.
    writeAll(userPath("mixed"),
        "1003001a 0.0\r\n1001081a 0\r\n1001081b 99\r\n12345 7\r\n0 -6.0\r\nname: mixed\r\n");
    dlg->Load("mixed", false);
    EXPECT_DOUBLE_EQ(node(MAINinR, 0)->gain, 0.0);
    EXPECT_EQ(node(MAINinL, 0)->value, 0);
    ASSERT_NE(node(MAINinL, 0)->source, nullptr);
    EXPECT_TRUE(hasLine(node(MAINinL, 0)->source, node(MAINinL, 0)));
    EXPECT_EQ(node(MAINinL, 1)->source, nullptr);
    // The value follows: a later save must not bring the old source back.
    EXPECT_EQ(node(MAINinL, 1)->value, 99);
    EXPECT_EQ(lineCount(), 1);
    for (POSITION pos = dlg->nodes.GetHeadPosition(); pos;) {
        const IODesc* n = dlg->nodes.Next(pos);
        if (!n->gainKey) {
            EXPECT_DOUBLE_EQ(n->gain, 0.0);
        }
    }
    // Each line is sent once; the closing scan sends nothing twice.
    EXPECT_EQ(setTexts(),
        std::vector<std::string>({ "45 1003001a 0.000000", "60 1001081a 0", "60 1001081b 99",
            "60 12345 7", "45 0 -6.000000" }));
    EXPECT_TRUE(boxes->boxes().empty());
}

TEST_F(PresetTest, UnreadableLinesAreReportedAndTheRestIsStillApplied)
{
    open(0);
    const std::string longLine = "1001081c 1" + std::string(300, ' ');
    const std::string longWord = "1001081c " + std::string(40, '1');
    writeAll(userPath("broken"),
        "10030067 -2.5\r\n"
        "1001081a\r\n"
        "zz 4\r\n"
        "1001081b many\r\n"
            + longLine + "\r\n" + longWord + "\r\n" + "\xfe\xff 1001081c\r\n"
            + "name: broken\r\n"
              "1001081d 2\r\n");
    dlg->Load("broken", false);
    const std::vector<std::string> bad
        = { "1001081a", "zz 4", "1001081b many", longLine.substr(0, 255), longWord, "?? 1001081c" };
    ASSERT_EQ(boxes->boxes().size(), bad.size());
    for (size_t i = 0; i < bad.size(); ++i) {
        EXPECT_EQ(boxes->boxes()[i].caption.toStdString(), "Bad Load File Line");
        EXPECT_EQ(boxes->boxes()[i].text, QString::fromStdString(bad[i]));
    }
    EXPECT_DOUBLE_EQ(node(MAINoutR, 0)->gain, -2.5);
    EXPECT_EQ(node(MAINinL, 3)->value, 2);
    EXPECT_EQ(node(MAINinL, 2)->value, 99);
}

TEST_F(PresetTest, FilesThatAreNoPresetAreRefusedWholeBeforeAnythingChanges)
{
    const std::vector<std::pair<const char*, std::string>> files = { { "empty", "" },
        { "words", "name: words\r\n\r\nhello world\r\n" },
        { "binary", std::string("BM\x36\0\0\0\0\0\x36\0\0\0\x28\0", 14) + "\r\n1001081a 2\r\n" } };
    open(0);
    for (const auto& [name, bytes] : files)
        writeAll(userPath(name), bytes);
    open(0);
    dlg->deviceModel = 0;
    dlg->PutSetValue(0x1001081a, 1);
    const PageState before = state();
    clearSetQueue();
    for (const auto& [name, bytes] : files)
        pick(name);
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(setTexts().empty());
    EXPECT_EQ(readAll(userPath("-Initial")), "<missing>");
    ASSERT_EQ(boxes->boxes().size(), files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(boxes->boxes()[i].caption.toStdString(), "Not a routing preset");
        EXPECT_EQ(boxes->boxes()[i].text, userPath(files[i].first).toQString());
    }
}

TEST_F(PresetTest, ListsOfferTheModelsOwnPresetsOnly)
{
    open(0);
    dlg->Save("zeta");
    dlg->Save("alpha");
    dlg->Save("zeta"); // again: replaced, not listed twice
    EXPECT_EQ(entries(dlg->userPresets), std::vector<std::string>({ "alpha", "zeta" }));
    writeAll(factoryPath("Studio"), "1001081a 1\r\n");
    writeAll(settingsPath() + "/Q7300/more/Stage.rft", "1001081a 2\r\n");
    writeAll(settingsPath() + "/Q7300/other/Stage.rft", "1001081a 3\r\n");
    writeAll(settingsPath() + "/Q7300A/Other.rft", "1001081a 2\r\n");

    open(1);
    EXPECT_TRUE(entries(dlg->userPresets).empty());
    EXPECT_EQ(entries(dlg->factoryPresets), std::vector<std::string>({ "Other" }));
    dlg->Save("forA");

    open(0);
    EXPECT_EQ(entries(dlg->userPresets), std::vector<std::string>({ "alpha", "zeta" }));
    EXPECT_EQ(dlg->userPresets.GetCurSel(), 0);
    // Factory presets are found in subfolders too.
    EXPECT_EQ(
        entries(dlg->factoryPresets), std::vector<std::string>({ "Stage", "Stage", "Studio" }));

    // Choosing a factory entry loads the file it was found as.
    std::vector<int> loaded;
    for (int i = 0; i < 3; ++i) {
        dlg->factoryPresets.SetCurSel(i);
        ASSERT_EQ(dlg->UpdateMap(0, 0, msgCommand, scSelChange, CRoutingDlg::idFactoryPresets), 0);
        loaded.push_back(node(MAINinL, 0)->value);
    }
    EXPECT_EQ(std::set<int>(loaded.begin(), loaded.begin() + 2), std::set<int>({ 2, 3 }));
    EXPECT_EQ(loaded[2], 1);
}

TEST_F(PresetTest, UserPresetChosenInTheListBringsTheRoutingBack)
{
    open(2);
    makeRouting(4);
    setOption(1, 3);
    setOption(3, 2);
    const PageState saved = state();
    dlg->userPresets.SetWindowText("Show");
    dlg->OnSave();
    makeRouting(9);
    setOption(1, 0);
    setOption(0, 1);
    pick("Show"); // the run's first load, which saves "-Initial" on the way
    EXPECT_EQ(state(), saved);
    CString shown;
    dlg->userPresets.GetWindowText(shown);
    EXPECT_STREQ(shown, "Show");
}

TEST_F(PresetTest, FailedSavesKeepTheOldFileAndSayWhere)
{
    open(0);
    dlg->Save("keep");
    const std::string before = readAll(userPath("keep"));
    ASSERT_NE(before, "<missing>");
    dlg->PutSetValue(0x1001081a, 1);

    // Writing stops part way: the file size limit is below a page's size.
    struct rlimit saved { };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 256;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    dlg->Save("keep");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(readAll(userPath("keep")), before);

    // The name is taken by a folder.
    QDir().mkpath(userPath("taken").toQString());
    dlg->Save("taken");
    EXPECT_TRUE(QFileInfo(userPath("taken").toQString()).isDir());
    EXPECT_LT(dlg->userPresets.FindStringExact(-1, "taken"), 0);

    ASSERT_EQ(boxes->boxes().size(), 2u);
    EXPECT_EQ(boxes->boxes()[0].caption.toStdString(), "Cannot save file");
    EXPECT_EQ(boxes->boxes()[0].text, userPath("keep").toQString());
    EXPECT_EQ(boxes->boxes()[0].icon, 2);
    EXPECT_EQ(boxes->boxes()[1].text, userPath("taken").toQString());
    // No temporary file is left behind.
    EXPECT_EQ(QDir(userPath(nullptr).toQString()).entryList(QDir::Files | QDir::Hidden),
        QStringList({ "keep.rut" }));

    // The model folder is a file.
    QDir(userPath(nullptr).toQString()).removeRecursively();
    writeAll(userPath(nullptr), "not a folder");
    dlg->Save("x");
    EXPECT_EQ(boxes->boxes().size(), 3u);
    EXPECT_EQ(readAll(userPath(nullptr)), "not a folder");
    EXPECT_EQ(entries(dlg->userPresets), std::vector<std::string>({ "keep" }));
}

TEST_F(PresetTest, TypedNamesThatAreNoPlainFileNamesAreRefused)
{
    open(0);
    for (const char* name : { "a.b", "../x", "sub/y", "a<b", "a>b", "a|b" }) {
        SCOPED_TRACE(name);
        dlg->userPresets.SetWindowText(name);
        dlg->OnEditchangeUser();
        EXPECT_FALSE(dlg->saveButton->IsWindowEnabled());
        dlg->OnSave();
    }
    EXPECT_EQ(boxCaptions(), std::vector<std::string>(6, "Cannot save file"));
    EXPECT_FALSE(QFileInfo::exists(configPath().toQString() + "/x.rut"));
    EXPECT_FALSE(QFileInfo::exists(userPath("sub").toQString()));
    EXPECT_TRUE(QDir(userPath(nullptr).toQString())
                    .entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
    dlg->userPresets.SetWindowText("fine name");
    dlg->OnEditchangeUser();
    EXPECT_TRUE(dlg->saveButton->IsWindowEnabled());
    dlg->userPresets.SetWindowText("");
    dlg->OnEditchangeUser(); // empty text leaves the button as it is
    EXPECT_TRUE(dlg->saveButton->IsWindowEnabled());
    dlg->OnSave(); // nothing to save under
    EXPECT_EQ(boxes->boxes().size(), 6u);
    EXPECT_EQ(dlg->userPresets.GetCount(), 0);
}

TEST_F(PresetTest, InitialKeepsTheRoutingBeforeTheFirstLoadOnly)
{
    open(0);
    dlg->PutSetValue(0x1001081a, 1);
    const PageState first = state();
    dlg->Load("missing", false); // nothing opened: nothing saved, nothing changed
    EXPECT_FALSE(dlg->initialSaved);
    EXPECT_EQ(state(), first);
    writeAll(userPath("other"), "1001081a 2\r\n");
    dlg->Load("other", false);
    EXPECT_TRUE(dlg->initialSaved);
    EXPECT_EQ(node(MAINinL, 0)->value, 2);
    dlg->Load("other", false);
    dlg->Load("-Initial", false);
    EXPECT_EQ(state(), first);
    EXPECT_EQ(entries(dlg->userPresets), std::vector<std::string>({ "-Initial" }));
}

TEST_F(PresetTest, OkKeepsThePageAsPreviousForTheNextDemoStart)
{
    open(1);
    makeRouting(2);
    const PageState shown = state();
    dlg->OnOkExit();
    EXPECT_NE(readAll(userPath("-Previous")), "<missing>");
    open(1, 1);
    EXPECT_EQ(state(), shown);
    EXPECT_GE(dlg->userPresets.FindStringExact(-1, "-Previous"), 0);
}

TEST_F(PresetTest, CancelPutsBackInitialOnlyOnTheConnectedModel)
{
    open(0);
    dlg->deviceModel = 0;
    dlg->PutSetValue(0x1001081a, 1);
    const PageState before = state();
    writeAll(userPath("other"), "1001081a 2\r\n1001081b 3\r\n");
    dlg->Load("other", false);
    dlg->OnCancel();
    EXPECT_EQ(state(), before);

    // A page of a model the device is not: -Initial stays unused.
    open(0);
    dlg->deviceModel = 1;
    dlg->Load("other", false);
    const PageState loaded = state();
    dlg->OnCancel();
    EXPECT_EQ(state(), loaded);
}

TEST_F(PresetTest, FirstDragKeepsThePageBeforeItAsInitial)
{
    open(0);
    dlg->userPresets.SetWindowText("typed");
    drag(node(ADATin, 0), node(MAINinL, 0));
    ASSERT_EQ(node(MAINinL, 0)->source, node(ADATin, 0));
    const std::string initial = readAll(userPath("-Initial"));
    EXPECT_NE(initial.find("\r\n1001081a 99\r\n"), std::string::npos);
    drag(node(ADATin, 1), node(MAINinL, 1));
    EXPECT_EQ(readAll(userPath("-Initial")), initial);
    // The page no longer is the named preset.
    CString text;
    dlg->userPresets.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(entries(dlg->userPresets), std::vector<std::string>({ "-Initial" }));
}

using PresetDeviceTest = synctest::SyncTest;

// "Cancel" puts back only an "-Initial" this run wrote for the shown model,
// never an older one an earlier run left behind.
TEST_F(PresetDeviceTest, CancelLoadsNoInitialThisRunDidNotWrite)
{
    for (bool blocked : { true, false }) {
        SCOPED_TRACE(blocked ? "model folder blocked by a file" : "disk full");
        openWithDevice(0, 0);
        ASSERT_GE(drain(), 0);
        CString path;
        CRoutingDlg::MakeFileName(nullptr, path, false);
        const QString folder = path.toQString();
        QDir(folder).removeRecursively();
        writeAll(path + "/-Initial.rut", "1001081a 4\r\n1001081d 7\r\n");
        const auto first = device->Value(0x1001081a);
        if (blocked) {
            ASSERT_TRUE(QDir().rename(folder, folder + ".away"));
            writeAll(path, "");
            drag(node(ADATin, 2), node(MAINinL, 3));
            QFile::remove(folder);
            ASSERT_TRUE(QDir().rename(folder + ".away", folder));
        } else {
            struct rlimit saved { };
            getrlimit(RLIMIT_FSIZE, &saved);
            auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit small = saved;
            small.rlim_cur = 64;
            setrlimit(RLIMIT_FSIZE, &small);
            drag(node(ADATin, 2), node(MAINinL, 3));
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, oldHandler);
        }
        ASSERT_FALSE(boxes->boxes().empty());
        EXPECT_EQ(boxes->boxes().back().caption.toStdString(), "Cannot save file");
        clickWidget(dlg->cancelButton->GetWidget());
        QApplication::processEvents();
        EXPECT_EQ(device->Value(0x1001081a), first);
        EXPECT_EQ(device->Value(0x1001081d), 3);
    }
    // Nor one of the device's model when this run wrote that of another.
    openWithDevice(0, 1);
    drag(node(ADATin, 2), node(MAINinL, 3)); // Q7300 shown until the device answers
    ASSERT_GE(drain(), 0);
    ASSERT_EQ(tablenum, 1);
    const auto read = device->Value(0x1001081a);
    writeAll(
        configPath() + "/Q7300A/-Initial.rut", read == 4 ? "1001081a 5\r\n" : "1001081a 4\r\n");
    clickWidget(dlg->cancelButton->GetWidget());
    QApplication::processEvents();
    EXPECT_EQ(device->Value(0x1001081a), read);
}
