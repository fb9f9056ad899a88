// The editor and the simulated device in one process: identification, reading
// the page, time-outs, value reports, model switches, demo mode and closing.
#include "EditorFixture.h"

#include "CMenu.h"
#include "ModelTables.h"
#include "NQButton.h"
#include "ProfileStore.h"
#include "TickCount.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>

#include <set>

using namespace editortest;
using SyncTest = EditorTest;

namespace {

constexpr long modeKey = 0x10010016;

std::string hex(long key)
{
    char b[32];
    std::snprintf(b, sizeof b, "%lx", key);
    return b;
}

} // namespace

TEST_F(SyncTest, StartOnLineReadsTheDevicesWholePageInOrderForEachModel)
{
    std::mt19937 rng(7);
    for (int m = 0; m < modelCount; ++m) {
        SCOPED_TRACE(main_table[m].modelName);
        const int shown = (m + 1) % modelCount; // the page must switch to the device's
        openWithDevice(shown, m);
        randomizeDevice(rng);
        std::string why;
        ASSERT_TRUE(device->SetValue(modeKey, 5, why)) << why;
        ASSERT_GE(drain(), 0);
        EXPECT_EQ(tablenum, m);
        EXPECT_EQ(GetProfileInt("main", "machine", -1), m);
        EXPECT_EQ(title(), QString(main_table[m].modelName) + " Routing - connected");
        EXPECT_TRUE(boxes->boxes().empty());

        // Identification, the mode key, the option keys, every destination of
        // the page, every gain of the page, then the gains of nodes an option
        // keeps off the page; besides them only the mode setting held at 2.
        std::vector<std::string> want { "49 0 1", "59 " + hex(modeKey) };
        for (const auto& o : device->Model().Options())
            want.push_back("59 " + hex(o.key));
        for (POSITION pos = dlg->activeNodes.GetHeadPosition(); pos;) {
            IODesc* n = dlg->activeNodes.Next(pos);
            for (int k = 0; n->key && k < n->entry->inputs; ++k)
                want.push_back("59 " + hex(n->key + k));
        }
        for (POSITION pos = dlg->activeNodes.GetHeadPosition(); pos;) {
            IODesc* n = dlg->activeNodes.Next(pos);
            if (n->gainKey)
                want.push_back("49 " + hex(n->gainKey) + " 3");
        }
        for (POSITION pos = dlg->nodes.GetHeadPosition(); pos;) {
            IODesc* n = dlg->nodes.Next(pos);
            if (n->gainKey && dlg->activeNodes.GetIndex(n) < 0)
                want.push_back("49 " + hex(n->gainKey) + " 3");
        }
        std::vector<std::string> reads;
        for (const auto& t : heardTexts())
            if (t != "60 10010016 2")
                reads.push_back(t);
        EXPECT_EQ(reads.size() + 1, heardTexts().size());
        EXPECT_EQ(reads, want);
        // ... and that is every key the device has, each once.
        std::set<std::string> all(reads.begin(), reads.end());
        EXPECT_EQ(all.size(), reads.size());
        EXPECT_EQ(all.size(),
            2 + device->Model().Options().size() + device->Model().Destinations().size()
                + device->Model().Gains().size());

        EXPECT_EQ(dlg->savedModeValue, 5);
        EXPECT_EQ(device->Value(modeKey), 2);
        EXPECT_EQ(differences(), std::vector<std::string>());
    }
}

TEST_F(SyncTest, SilentDeviceIsAskedThreeTimesThenDemoModeEvenAcrossMidnight)
{
    openWithDevice(0, 0);
    device->SetIgnoreRequests(1000000);
    const std::uint64_t start = clockMs;
    ASSERT_GT(GetTickCount(), 86000000) << "the run begins just before midnight";
    std::uint64_t boxAt = 0;
    for (int i = 0; i < 200 && boxAt == 0; ++i) {
        tick();
        if (!boxes->boxes().empty())
            boxAt = clockMs;
    }
    EXPECT_LT(GetTickCount(), 10000) << "the time of day went past midnight";
    ASSERT_NE(boxAt, 0u) << "no time-out box";
    ASSERT_EQ(boxes->boxes().size(), 1u);
    EXPECT_EQ(boxes->boxes()[0].caption, "Cannot connect");
    EXPECT_EQ(boxes->boxes()[0].text, "Going to Local mode");
    EXPECT_EQ(boxes->boxes()[0].icon, 0);

    ASSERT_EQ(heard.size(), 3u);
    for (const Heard& h : heard)
        EXPECT_EQ(std::to_string(h.command) + " " + h.text, "49 0 1");
    const std::uint64_t first = heard[0].at;
    EXPECT_LE(first - start, 30u);
    for (int i = 1; i < 3; ++i) {
        EXPECT_GE(heard[i].at - heard[i - 1].at, 1000u);
        EXPECT_LE(heard[i].at - heard[i - 1].at, 1030u);
    }
    EXPECT_GE(boxAt - first, 3000u);
    EXPECT_LE(boxAt - first, 3090u);
    EXPECT_TRUE(title().endsWith("Off-line Demo Mode")) << title().toStdString();
    EXPECT_EQ(GetProfileInt("main", "local", 0), 1);
    EXPECT_TRUE(dlg->requestQueue.IsEmpty());
    EXPECT_TRUE(dlg->setQueue.IsEmpty());
}

TEST_F(SyncTest, ReplyWaitStartsOnceTheRequestIsOut)
{
    // Opening the link on the first send takes 1.5 s, longer than the wait.
    openWithDevice(0, 0);
    device->SetIgnoreRequests(1000000);
    device->SetLog([this](bool incoming, const SimBytes& bytes, const std::string&) {
        if (!incoming || bytes.size() < 6)
            return;
        heard.push_back({ bytes[4], "", clockMs });
        if (heard.size() == 1)
            clockMs += 1500;
    });
    for (int i = 0; i < 100 && heard.size() < 2; ++i)
        tick();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_GE(heard[1].at - heard[0].at, 2500u);
    EXPECT_LE(heard[1].at - heard[0].at, 2530u);
}

TEST_F(SyncTest, SlowAndForgetfulDeviceStillGivesTheWholePage)
{
    std::mt19937 rng(11);
    // Answers after 400 ms, inside each request's second, and the first two
    // identification requests are lost: the third one counts.
    openWithDevice(1, 1);
    device->SetLatency(400);
    device->SetIgnoreRequests(2);
    randomizeDevice(rng);
    ASSERT_GE(drain(), 0);
    EXPECT_TRUE(boxes->boxes().empty());
    ASSERT_GE(heard.size(), 3u);
    EXPECT_GE(heard[2].at - heard[0].at, 2000u);
    EXPECT_TRUE(title().endsWith("connected")) << title().toStdString();
    EXPECT_EQ(differences(), std::vector<std::string>());
}

TEST_F(SyncTest, EditsMadeWhileThePageIsReadAreNotUndoneByItsReplies)
{
    std::mt19937 rng(5);
    openWithDevice(0, 0);
    randomizeDevice(rng);
    ASSERT_GE(drain(), 0);
    device->SetLatency(400); // each read reply is on its way for a while
    randomizeDevice(rng);
    IODesc* dest = node(MAINinL, 0);
    IODesc* gainNode = node(ANAin, 0);
    ASSERT_TRUE(dest && gainNode && gainNode->gainKey);
    const std::string option = "59 " + hex(currentModel()->comboDescs[0].key);
    const std::string value = "59 " + hex(dest->key);
    const std::string gain = "49 " + hex(gainNode->gainKey) + " 3";
    // "Refresh", then each edit as soon as its key's read request is out.
    heard.clear();
    clickWidget(dlg->refreshButton->GetWidget());
    std::set<std::string> done;
    IODesc* chosen = nullptr;
    const double typed = gainNode->gain > 0 ? -12 : 3;
    for (size_t seen = 0; done.size() < 3 && !dlg->requestQueue.IsEmpty(); tick()) {
        for (; seen < heard.size(); ++seen) {
            const std::string t = std::to_string(heard[seen].command) + " " + heard[seen].text;
            if (t == option) {
                clickWidget(dlg->optionButtons.Item(0)->GetWidget());
            } else if (t == value) {
                for (int i = 0; (chosen = dest->ConnectionFromIndex(i)); ++i)
                    if (chosen != dest->source && dlg->activeNodes.GetIndex(chosen) >= 0)
                        break;
                drag(chosen, dest);
            } else if (t == gain) {
                click(gainNode);
                typeGain(QString::number(typed, 'f', 1));
            } else {
                continue;
            }
            done.insert(t);
        }
    }
    ASSERT_EQ(done.size(), 3u);
    ASSERT_GE(drain(), 0);
    EXPECT_TRUE(boxes->boxes().empty());
    EXPECT_EQ(differences(), std::vector<std::string>());
    EXPECT_EQ(dest->source, chosen);
    EXPECT_EQ(gainNode->gain, typed);
    // The next read takes those keys from the device again.
    randomizeDevice(rng);
    clickWidget(dlg->refreshButton->GetWidget());
    ASSERT_GE(drain(), 0);
    EXPECT_EQ(differences(), std::vector<std::string>());
}

TEST_F(SyncTest, SetMessagesLeaveAtMostThreeATick)
{
    openWithDevice(0, 0);
    ASSERT_GE(drain(), 0);
    heard.clear();
    for (int i = 0; i < 10; ++i)
        dlg->SendSetValue(0x1001081a, i % 4);
    std::vector<size_t> perTick;
    for (int i = 0; i < 5; ++i) {
        tick();
        perTick.push_back(heard.size());
    }
    EXPECT_EQ(perTick, std::vector<size_t>({ 3, 6, 9, 10, 10 }));
    EXPECT_EQ(heard.back().text, "1001081a 1");

    // Keys up to 100 are never sent; 101 is, with the value in decimal.
    heard.clear();
    dlg->SendSetValue(100, 7);
    dlg->SendSetValue(101, 12);
    EXPECT_EQ(setTexts(), std::vector<std::string>({ "60 65 12" }));
}

TEST_F(SyncTest, ReportsAreReadAsHexadecimalAndQuotedWordsHoldTogether)
{
    openWithDevice(0, 0);
    ASSERT_GE(drain(), 0);
    IODesc* dest = node(DSPAin, 0);
    ASSERT_EQ(dest->key, 0x10010081);
    // Read as decimal the value would be 12.
    dlg->ProcessTextMessage(60, "10010081 12");
    ASSERT_NE(dest->ConnectionFromIndex(18), nullptr);
    EXPECT_EQ(dest->source, dest->ConnectionFromIndex(18));
    EXPECT_EQ(dest->value, 18);
    // Recorded as reported: nothing goes back.
    dlg->Scan();
    EXPECT_TRUE(dlg->setQueue.IsEmpty());

    // The device's own mode value is kept and the key is held at 2.
    dlg->ProcessTextMessage(60, "10010016 5");
    EXPECT_EQ(dlg->savedModeValue, 5);
    EXPECT_EQ(setTexts(), std::vector<std::string>({ "60 10010016 2" }));
    dlg->ProcessTextMessage(60, "10010016 2");
    EXPECT_EQ(dlg->savedModeValue, 5);
    EXPECT_EQ(setTexts().size(), 1u);
    clearSetQueue();

    // Apostrophe-quoted words with blanks; the gain, its range and step apply
    // also to nodes off the page.
    IODesc* ana = node(ANAin, 0);
    ASSERT_FALSE(dlg->activeNodes.Find(ana));
    dlg->ProcessTextMessage(50, "NUM 3 10030013 0 'ANAin 1 level' 'dB' -6.5 -90 6 0.5");
    EXPECT_DOUBLE_EQ(ana->gain, -6.5);
    EXPECT_DOUBLE_EQ(ana->gainMin, -90);
    EXPECT_DOUBLE_EQ(ana->gainMax, 6);
    EXPECT_DOUBLE_EQ(ana->gainStep, 0.5);
    // A gain report (command 46) sets only the gain.
    dlg->ProcessTextMessage(46, "10030013 -3.000000");
    EXPECT_DOUBLE_EQ(ana->gain, -3.0);
    EXPECT_DOUBLE_EQ(ana->gainMin, -90);

    // Replies that do not parse change nothing but still retire the oldest
    // request that was sent.
    device->SetIgnoreRequests(1); // its answer is lost
    dlg->WantValue(0x1001081b);
    tick();
    ASSERT_EQ(dlg->requestQueue.GetCount(), 1);
    dlg->ProcessTextMessage(60, "not a report");
    EXPECT_TRUE(dlg->requestQueue.IsEmpty());
    dlg->ProcessTextMessage(50, "NUM 3 10030013 0 'ANAin 1 level' 'dB' nan -90 6 0.5");
    EXPECT_DOUBLE_EQ(ana->gain, -3.0);
    // A request not yet sent is not retired by a reply.
    dlg->WantValue(0x1001081b);
    dlg->ProcessTextMessage(60, "1001081b 1");
    EXPECT_EQ(dlg->requestQueue.GetCount(), 1);
}

TEST_F(SyncTest, UnknownModelIsReportedOnceAndLaterNamesAreIgnored)
{
    openWithDevice(1, 1);
    device->SetIgnoreRequests(1);
    tick();
    dlg->ProcessTextMessage(50, "COL 1 0 0 'Q9999");
    ASSERT_EQ(boxes->boxes().size(), 1u);
    EXPECT_EQ(boxes->boxes()[0].caption, "Routing");
    EXPECT_EQ(boxes->boxes()[0].text, "This program cannot be used with Q9999");
    EXPECT_EQ(boxes->boxes()[0].icon, 2);
    dlg->ProcessTextMessage(50, "COL 1 0 0 'Q9999");
    dlg->ProcessTextMessage(50, "COL 1 0 0 'Q7300");
    EXPECT_EQ(boxes->boxes().size(), 1u);
    EXPECT_EQ(tablenum, 1);
    EXPECT_TRUE(title().endsWith("connecting..")) << title().toStdString();
    EXPECT_TRUE(dlg->requestQueue.IsEmpty());
}

TEST_F(SyncTest, ModeSettingAndQueuedEditsReachTheDeviceHoweverTheEditorEnds)
{
    enum Way { okButton, cancelButton, escapeKey, closeControl, okOnAnotherModel };
    for (Way way : { okButton, cancelButton, escapeKey, closeControl, okOnAnotherModel }) {
        SCOPED_TRACE(way);
        openWithDevice(0, 0);
        std::string why;
        ASSERT_TRUE(device->SetValue(modeKey, 0, why));
        ASSERT_GE(drain(), 0);
        ASSERT_EQ(device->Value(modeKey), 2);
        const auto before = device->Dump();
        // An edit waits in the set queue when the window ends.
        drag(node(ADATin, 2), node(MAINinL, 3));
        ASSERT_FALSE(dlg->setQueue.IsEmpty());
        switch (way) {
        case okButton:
            clickWidget(dlg->okButton->GetWidget());
            break;
        case cancelButton:
            clickWidget(dlg->cancelButton->GetWidget());
            break;
        case escapeKey: {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(window(), &esc);
            break;
        }
        case closeControl:
            window()->close();
            break;
        case okOnAnotherModel:
            dlg->DoSysCommand(main_table[1].menuId);
            ASSERT_EQ(dlg->local, 1);
            clickWidget(dlg->okButton->GetWidget());
            break;
        }
        QApplication::processEvents();
        EXPECT_FALSE(window()->isVisible());
        EXPECT_EQ(device->Value(modeKey), 0);
        EXPECT_TRUE(dlg->setQueue.IsEmpty());
        if (way == cancelButton || way == escapeKey || way == closeControl) {
            // Escape and the close control are Cancel: "-Initial" went back,
            // so only the mode setting differs from the state before the edit.
            std::string expected = before;
            const auto at = expected.find("value 10010016 2 ");
            ASSERT_NE(at, std::string::npos) << expected;
            expected.replace(at, 16, "value 10010016 0");
            EXPECT_EQ(device->Dump(), expected);
        } else {
            EXPECT_EQ(device->Value(0x1001081a + 3), node(MAINinL, 3)->value);
        }
        if (way == okButton) {
            EXPECT_EQ(differences(), std::vector<std::string>());
        }
    }
}

TEST_F(SyncTest, DemoModeFromTheMenuIsQuietPersistsAndComesBackOnLine)
{
    openWithDevice(0, 0);
    ASSERT_GE(drain(), 0);
    dlg->WantValue(0x1001081a);
    dlg->SendSetValue(0x1001081a, 3);
    heard.clear();
    dlg->DoSysCommand(109);
    EXPECT_EQ(GetProfileInt("main", "local", 0), 1);
    EXPECT_TRUE(dlg->GetSystemMenu(FALSE)->FindItem(109, 0)->isChecked());
    EXPECT_TRUE(title().endsWith("Off-line Demo Mode")) << title().toStdString();
    // Nothing waiting is sent, nor waited for: no time-out box follows.
    tick(200);
    EXPECT_TRUE(heard.empty());
    EXPECT_TRUE(boxes->boxes().empty());

    heard.clear();
    dlg->DoSysCommand(109);
    EXPECT_EQ(GetProfileInt("main", "local", 1), 0);
    EXPECT_FALSE(dlg->GetSystemMenu(FALSE)->FindItem(109, 0)->isChecked());
    ASSERT_GE(drain(), 0);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heardTexts()[0], "49 0 1");
    EXPECT_TRUE(title().endsWith("connected")) << title().toStdString();
    EXPECT_TRUE(boxes->boxes().empty());

    // The flag is kept for the next start, which asks the device nothing.
    dlg->DoSysCommand(109);
    heard.clear();
    reopen(0, GetProfileInt("main", "local", 0));
    EXPECT_EQ(dlg->local, 1);
    tick(100);
    EXPECT_TRUE(heard.empty());
    EXPECT_TRUE(title().endsWith("Off-line Demo Mode")) << title().toStdString();
}

TEST_F(SyncTest, LinkThatCannotOpenOffersDemoMode)
{
    boxes->answer(IDBOX_CANCEL);
    device = std::make_shared<SimDevice>(0);
    reopen(0, 0, 7);
    ASSERT_EQ(boxes->boxes().size(), 1u);
    EXPECT_EQ(boxes->boxes()[0].caption, "Communications error (E7)");
    EXPECT_EQ(boxes->boxes()[0].detail, "Can't explain - E7"); // the transport's own words
    EXPECT_EQ(boxes->boxes()[0].text,
        "Fix the problem then hit OK\nor hit CANCEL to enter off-line mode");
    EXPECT_EQ(boxes->boxes()[0].buttons, std::vector<int>({ IDBOX_OK, IDBOX_CANCEL }));
    EXPECT_TRUE(title().endsWith("Off-line Demo Mode")) << title().toStdString();
    EXPECT_TRUE(dlg->requestQueue.IsEmpty());
}
