// Routing presets in the editor: the exact file a page gives, save and load
// round trips with every port option state, the preset lists, bad lines, failed
// saves, refused names and the automatic "-Initial" and "-Previous".
#include "EditorFixture.h"

#include "AppFolders.h"
#include "ModelTables.h"
#include "NQButton.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

#include <map>
#include <set>

using namespace editortest;

namespace {

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
    QString userPath(const char* name) const
    {
        CString p;
        CRoutingDlg::MakeFileName(name, p, false);
        return p.toQString();
    }
    int rows() const { return comboDescCount(currentModel()->comboDescs); }
    const ComboDesc& row(int k) const { return currentModel()->comboDescs[k]; }
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
            s.choices.push_back(dlg->optionCombos.Item(k)->GetCurSel());
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

    void expectBoxes(const char* caption, const std::vector<QString>& texts)
    {
        ASSERT_EQ(boxes->boxes().size(), texts.size());
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(boxes->boxes()[i].caption.toStdString(), caption);
            EXPECT_EQ(boxes->boxes()[i].text, texts[i]);
        }
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
    dlg->Save("page");

    // Every node in the order of the model's io table, its gain line before its
    // source line, then the options; gains " 0.0", sources " 99" unless set.
    const std::map<long, std::string> set { { 0x10030014, "-3.5" }, { 0x1001081a, "3" },
        { 0x10010612, "-12.3" }, { 0x10010605, "1" } };
    std::string want;
    auto add = [&](long k, const char* unset) {
        if (k)
            want += QString::number(k, 16).toStdString() + " " + (set.count(k) ? set.at(k) : unset)
                + "\r\n";
    };
    const model_entry& m = *currentModel();
    for (const io_entry* e = m.ioTable; e < m.ioTable + m.ioRows; ++e)
        for (int i = 0; i < e->count; ++i) {
            add(nodeGainKey(e, i), "0.0");
            add(nodeKey(e, i, rowStride(e)), "99");
        }
    want += "1001005d 1\r\n1001082d 0\r\n";
    EXPECT_EQ(fileBytes(userPath("page")), want);
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
                const std::string bytes = fileBytes(userPath("trip"));

                // Load over a different page with other options on.
                setOption(k, (c + 1) % comboTextCount(row(k)));
                makeRouting(k * 10 + c + 3);
                dlg->Load("trip", false);
                EXPECT_EQ(state(), saved);
                dlg->Save("again");
                EXPECT_EQ(fileBytes(userPath("again")), bytes);
            }
        }
    }
    EXPECT_TRUE(boxes->boxes().empty());
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
    writeFile(userPath("mixed"),
        "1003001a 0.0\r\n1001081a 0\r\n1001081b 99\r\n12345 7\r\n0 -6.0\r\nname: mixed\r\n");
    dlg->Load("mixed", false);
    EXPECT_DOUBLE_EQ(node(MAINinR, 0)->gain, 0.0);
    ASSERT_NE(node(MAINinL, 0)->source, nullptr);
    EXPECT_TRUE(hasLine(node(MAINinL, 0)->source, node(MAINinL, 0)));
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
    writeFile(userPath("broken"),
        "10030067 -2.5\r\n1001081a\r\nzz 4\r\n1001081b many\r\n" + longLine + "\r\n" + longWord
            + "\r\n\xfe\xff 1001081c\r\nname: broken\r\n1001081d 2\r\n");
    dlg->Load("broken", false);
    expectBoxes("Bad Load File Line",
        { "1001081a", "zz 4", "1001081b many", QString::fromStdString(longLine.substr(0, 255)),
            QString::fromStdString(longWord), "?? 1001081c" });
    EXPECT_DOUBLE_EQ(node(MAINoutR, 0)->gain, -2.5);
    EXPECT_EQ(node(MAINinL, 3)->value, 2);
    EXPECT_EQ(node(MAINinL, 2)->value, 99);
}

TEST_F(PresetTest, FilesThatAreNoPresetAreRefusedWholeBeforeAnythingChanges)
{
    const std::vector<std::pair<const char*, std::string>> files = { { "empty", "" },
        { "words", "name: words\r\n\r\nhello world\r\n" },
        { "binary", std::string("BM\x36\0\0\0\0\0\x36\0\0\0\x28\0", 14) + "\r\n1001081a 2\r\n" } };
    for (const auto& [name, bytes] : files)
        writeFile(userPath(name), bytes);
    open(0);
    dlg->deviceModel = 0;
    dlg->PutSetValue(0x1001081a, 1);
    const PageState before = state();
    clearSetQueue();
    for (const auto& [name, bytes] : files)
        pick(dlg->userPresets, dlg->userPresets.FindStringExact(-1, name));
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(setTexts().empty());
    EXPECT_EQ(fileBytes(userPath("-Initial")), "<missing>");
    expectBoxes(
        "Not a routing preset", { userPath("empty"), userPath("words"), userPath("binary") });
}

TEST_F(PresetTest, ListsOfferTheModelsOwnPresetsOnly)
{
    open(0);
    dlg->Save("zeta");
    dlg->Save("alpha");
    dlg->Save("zeta"); // again: replaced, not listed twice
    EXPECT_EQ(entries(dlg->userPresets), std::vector<std::string>({ "alpha", "zeta" }));
    const QString factory = settingsPath().toQString();
    writeFile(factory + "/Q7300/Studio.rft", "1001081a 1\r\n");
    writeFile(factory + "/Q7300/more/Stage.rft", "1001081a 2\r\n");
    writeFile(factory + "/Q7300/other/Stage.rft", "1001081a 3\r\n");
    writeFile(factory + "/Q7300A/Other.rft", "1001081a 2\r\n");

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
    std::set<int> stages;
    for (int i : { 0, 1, 2 }) {
        pick(dlg->factoryPresets, i);
        stages.insert(node(MAINinL, 0)->value);
    }
    EXPECT_EQ(node(MAINinL, 0)->value, 1);
    EXPECT_EQ(stages, std::set<int>({ 1, 2, 3 }));
}

TEST_F(PresetTest, FailedSavesKeepTheOldFileAndSayWhere)
{
    open(0);
    dlg->Save("keep");
    const std::string before = fileBytes(userPath("keep"));
    ASSERT_NE(before, "<missing>");
    dlg->PutSetValue(0x1001081a, 1);
    {
        // Writing stops part way: the file size limit is below a page's size.
        FileSizeLimit full(256);
        dlg->Save("keep");
    }
    EXPECT_EQ(fileBytes(userPath("keep")), before);

    // The name is taken by a folder.
    QDir().mkpath(userPath("taken"));
    dlg->Save("taken");
    EXPECT_TRUE(QFileInfo(userPath("taken")).isDir());
    EXPECT_LT(dlg->userPresets.FindStringExact(-1, "taken"), 0);
    // No temporary file is left behind.
    EXPECT_EQ(
        QDir(userPath(nullptr)).entryList(QDir::Files | QDir::Hidden), QStringList({ "keep.rut" }));
    EXPECT_EQ(boxes->boxes()[0].icon, 2);

    // The model folder is a file; OK's "-Previous" fails the same way.
    QDir(userPath(nullptr)).removeRecursively();
    writeFile(userPath(nullptr), "not a folder");
    dlg->Save("x");
    dlg->OnOkExit();
    EXPECT_EQ(fileBytes(userPath(nullptr)), "not a folder");
    EXPECT_EQ(entries(dlg->userPresets), std::vector<std::string>({ "keep" }));
    expectBoxes("Cannot save file",
        { userPath("keep"), userPath("taken"), userPath("x"), userPath("-Previous") });
}

TEST_F(PresetTest, TypedNamesThatAreNoPlainFileNamesAreRefused)
{
    open(0);
    QLineEdit* edit = dlg->userPresets.combo()->lineEdit();
    ASSERT_NE(edit, nullptr);
    const std::vector<const char*> bad
        = { "a.b", "..", "../x", "sub/y", "a<b", "a>b", "a|b", "a\\b" };
    for (const char* name : bad) {
        edit->setText("fine name");
        ASSERT_TRUE(dlg->saveButton->IsWindowEnabled());
        edit->setText(name);
        EXPECT_FALSE(dlg->saveButton->IsWindowEnabled()) << name;
        dlg->OnSave();
    }
    EXPECT_EQ(static_cast<size_t>(boxesCaptioned("Cannot save file")), bad.size());
    EXPECT_TRUE(QDir(configPath().toQString())
                    .entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
    // Empty text leaves the button as it is, and there is nothing to save under.
    edit->setText("");
    EXPECT_FALSE(dlg->saveButton->IsWindowEnabled());
    edit->setText("fine name");
    edit->setText("");
    EXPECT_TRUE(dlg->saveButton->IsWindowEnabled());
    dlg->OnSave();
    EXPECT_EQ(boxes->boxes().size(), bad.size());
    EXPECT_EQ(dlg->userPresets.GetCount(), 0);
}

TEST_F(PresetTest, InitialKeepsTheRoutingBeforeTheFirstLoadOnly)
{
    open(0);
    dlg->PutSetValue(0x1001081a, 1);
    const PageState first = state();
    // Nothing read (no file, a folder): nothing saved, nothing changed, no box.
    QDir().mkpath(userPath("folder"));
    dlg->Load("missing", false);
    dlg->Load("folder", false);
    EXPECT_EQ(fileBytes(userPath("-Initial")), "<missing>");
    EXPECT_EQ(state(), first);
    EXPECT_TRUE(boxes->boxes().empty());
    writeFile(userPath("other"), "1001081a 2\r\n");
    dlg->Load("other", false);
    EXPECT_EQ(node(MAINinL, 0)->value, 2);
    dlg->Load("other", false);
    dlg->Load("-Initial", false);
    EXPECT_EQ(state(), first);
}

TEST_F(PresetTest, OkKeepsThePageAsPreviousForTheNextDemoStart)
{
    open(1);
    makeRouting(2);
    const PageState shown = state();
    clickWidget(dlg->okButton->GetWidget());
    open(1, 1);
    EXPECT_EQ(state(), shown);
    EXPECT_GE(dlg->userPresets.FindStringExact(-1, "-Previous"), 0);
}

TEST_F(PresetTest, FirstDragKeepsThePageBeforeItAsInitial)
{
    open(0);
    dlg->userPresets.SetWindowText("typed");
    drag(node(ADATin, 0), node(MAINinL, 0));
    ASSERT_EQ(node(MAINinL, 0)->source, node(ADATin, 0));
    const std::string initial = fileBytes(userPath("-Initial"));
    EXPECT_NE(initial.find("\r\n1001081a 99\r\n"), std::string::npos);
    drag(node(ADATin, 1), node(MAINinL, 1));
    EXPECT_EQ(fileBytes(userPath("-Initial")), initial);
    // The page no longer is the named preset.
    CString text;
    dlg->userPresets.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(entries(dlg->userPresets), std::vector<std::string>({ "-Initial" }));
}

// "Cancel" puts back only an "-Initial" this run wrote for the shown model
// when the device is of that model, never an older one an earlier run left.
TEST_F(PresetTest, CancelLoadsNoInitialThisRunDidNotWrite)
{
    open(0);
    dlg->deviceModel = 1; // a page of a model the device is not
    writeFile(userPath("other"), "1001081a 2\r\n1001081b 3\r\n");
    dlg->Load("other", false);
    const PageState loaded = state();
    dlg->OnCancel();
    EXPECT_EQ(state(), loaded);

    openWithDevice(0, 0);
    ASSERT_GE(drain(), 0);
    const QString folder = userPath(nullptr);
    QDir(folder).removeRecursively();
    writeFile(folder + "/-Initial.rut", "1001081a 4\r\n1001081d 7\r\n");
    const auto first = device->Value(0x1001081a);
    // The first drag cannot save "-Initial": the model folder is blocked by a file.
    ASSERT_TRUE(QDir().rename(folder, folder + ".away"));
    writeFile(folder, "");
    drag(node(ADATin, 2), node(MAINinL, 3));
    QFile::remove(folder);
    ASSERT_TRUE(QDir().rename(folder + ".away", folder));
    EXPECT_EQ(boxesCaptioned("Cannot save file"), 1);
    clickWidget(dlg->cancelButton->GetWidget());
    QApplication::processEvents();
    EXPECT_EQ(device->Value(0x1001081a), first);
    EXPECT_EQ(device->Value(0x1001081d), 3);

    // Nor one of the device's model when this run wrote that of another.
    openWithDevice(0, 1);
    drag(node(ADATin, 2), node(MAINinL, 3)); // Q7300 shown until the device answers
    ASSERT_GE(drain(), 0);
    ASSERT_EQ(tablenum, 1);
    const auto read = device->Value(0x1001081a);
    writeFile(userPath("-Initial"), read == 4 ? "1001081a 5\r\n" : "1001081a 4\r\n");
    clickWidget(dlg->cancelButton->GetWidget());
    QApplication::processEvents();
    EXPECT_EQ(device->Value(0x1001081a), read);
}
