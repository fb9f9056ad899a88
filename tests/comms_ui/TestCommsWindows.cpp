// The comms windows on the offscreen platform: the remote error window, the
// MIDI page against a private JACK server, and the configuration sheet.
#include "CommsTestSupport.h"
#include "CommsWindows.h"
#include "ConfigSheet.h"
#include "JackServer.h"
#include "MIDIpage.h"
#include "MIDIwin.h"
#include "MessageBoxScript.h"
#include "RemoteErrorDialog.h"

#include <gtest/gtest.h>

#include <rtmidi/RtMidi.h>

#include <QApplication>
#include <QDialog>
#include <QRegularExpression>
#include <QTimer>

namespace {

// Closes the modal dialog that opens next: accepted or rejected.
void answerNextDialog(bool accept)
{
    QTimer::singleShot(200, [accept] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            accept ? d->accept() : d->reject();
    });
}

std::vector<std::string> lines(const CString& text)
{
    std::vector<std::string> out;
    for (const QString& l : text.toQString().split(QRegularExpression("\r\n|\n|\r")))
        out.push_back(l.toStdString());
    return out;
}

} // namespace

TEST(RemoteErrorWindow, TextsShareOneWindowUntilItIsClosed)
{
    InstallCommsWindows();
    RemoteErrorDialog* w = remoteErrorDialog();
    AddErrorText("");
    EXPECT_FALSE(w->IsShown());
    AddErrorText("Bad key 10\r\n");
    AddErrorText("Value out of range");
    ASSERT_TRUE(w->IsShown());
    EXPECT_TRUE(w->dialog()->isVisible());
    EXPECT_EQ(lines(w->Text()), (std::vector<std::string> { "Bad key 10", "Value out of range" }));
    w->dialog()->close();
    EXPECT_FALSE(w->IsShown());
    AddErrorText("Third");
    EXPECT_TRUE(w->dialog()->isVisible());
    EXPECT_EQ(lines(w->Text()), (std::vector<std::string> { "Third" }));
}

class MidiPageTest : public ::testing::Test {
protected:
    ScopedSettings settings;
};

TEST_F(MidiPageTest, WithoutPortsThePageSaysSo)
{
    ::setenv("JACK_NO_START_SERVER", "1", 1);
    ::setenv("JACK_DEFAULT_SERVER", "q7300-test-no-such-server", 1);
    MessageBoxScript boxes;
    MIDIpage page(nullptr);
    ConfigSheet sheet(nullptr);
    sheet.Create(0, nullptr);
    ASSERT_FALSE(boxes.boxes().empty());
    EXPECT_EQ(boxes.boxes()[0].caption, "MIDI Configuration");
    EXPECT_EQ(boxes.boxes()[0].text, "No MIDI devices available");
}

TEST_F(MidiPageTest, PortsAreListedAndTheChoiceIsSaved)
{
    JackServer server;
    ASSERT_TRUE(server.start()) << server.error();
    RtMidiIn peerIn(RtMidi::UNIX_JACK, "peerin");
    peerIn.openVirtualPort("in");
    RtMidiOut peerOut(RtMidi::UNIX_JACK, "peerout");
    peerOut.openVirtualPort("out");
    RtMidiIn otherIn(RtMidi::UNIX_JACK, "another");
    otherIn.openVirtualPort("in");
    WriteProfileString("MIDI", "In", "peerout:out");
    WriteProfileString("MIDI", "Out", "another:in");

    RecordingProcessor p;
    ConfigSheet sheet(&p);
    sheet.Create(0, nullptr);
    auto* page = static_cast<MIDIpage*>(sheet.PageFor(commMidi));
    ASSERT_NE(page, nullptr);
    CString text;
    page->InputCombo().GetWindowText(text);
    EXPECT_EQ(text, "peerout:out");
    page->OutputCombo().GetWindowText(text);
    EXPECT_EQ(text, "another:in");
    EXPECT_GE(page->OutputCombo().GetCount(), 2);

    // Choosing an input selects the output of the same name when there is one.
    page->InputCombo().AddString("USB Audio Device");
    page->OutputCombo().AddString("USB Audio Device");
    page->InputCombo().SelectString(-1, "USB Audio Device");
    page->InChange();
    page->OutputCombo().GetWindowText(text);
    EXPECT_EQ(text, "USB Audio Device");
    page->InputCombo().SelectString(-1, "peerout:out");
    page->InChange(); // no output of that name: the output stays
    page->OutputCombo().GetWindowText(text);
    EXPECT_EQ(text, "USB Audio Device");

    page->OutputCombo().SelectString(-1, "peerin:in");
    p.transport->open = true;
    page->OnOK();
    EXPECT_EQ(GetProfileString("MIDI", "In", ""), "peerout:out");
    EXPECT_EQ(GetProfileString("MIDI", "Out", ""), "peerin:in");
    EXPECT_EQ(p.transport->closes, 1); // reopened with the new choice
    EXPECT_EQ(p.transport->opens, 1);
    closePortsInTurn({ [&] { peerIn.closePort(); }, [&] { peerOut.closePort(); },
        [&] { otherIn.closePort(); } });
}

TEST_F(MidiPageTest, SheetResultDecidesTheTransport)
{
    InstallCommsWindows();
    RecordingProcessor p;
    answerNextDialog(true);
    EXPECT_EQ(p.ConfigComms(), commMidi);
    EXPECT_NE(dynamic_cast<RecordingTransport*>(p.GetDriver()), nullptr); // kept on OK
    answerNextDialog(false);
    EXPECT_EQ(p.ConfigComms(), commMidi);
    EXPECT_NE(dynamic_cast<MIDIwin*>(p.GetDriver()), nullptr); // chosen again on Cancel
}
