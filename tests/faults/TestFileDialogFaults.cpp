// Every file dialog the program opens lists the files its filter names: the
// "|"-separated filter strings reach the toolkit as its own filter list.
#include "EditorFixture.h"

#include "BinaryDumpFile.h"
#include "CommsHooks.h"
#include "CommsWindows.h"
#include "FileDialogScript.h"
#include "MIDIfile.h"

using namespace editortest;

namespace {

TEST_F(EditorTest, EveryFileDialogOfTheProgramGetsTheToolkitsFilterList)
{
    open(0);
    const CommsHooks saved = commsHooks();
    InstallCommsWindows();
    FileDialogScript script; // cancels every dialog
    const QStringList binary { "Binary Files (*.bin)", "All Files (*)" };
    const struct {
        const char* what;
        std::function<void()> ask;
        QStringList filters;
    } dialogs[] = {
        { "send a dump",
            [] {
                CString n;
                GetBinaryFileName(1, 21, n);
            },
            binary },
        { "save a received dump",
            [] {
                CString n;
                GetBinaryFileName(0, 22, n);
            },
            binary },
        { "send a raw sysex file",
            [this] { dlg->protocol.SendRaw(static_cast<QObject*>(nullptr)); },
            { "Sysex Files (*.syx)", "Binary Files (*.bin)", "All Files (*)" } },
        { "write a message to a file",
            [] {
                unsigned char msg[] = { 0xF0, 0x7D, 0xF7 };
                sendInfo piece { msg, 3 };
                MIDIfile().Send(1, &piece);
            },
            binary },
    };
    for (const auto& d : dialogs) {
        const size_t before = script.requests().size();
        d.ask();
        ASSERT_EQ(script.requests().size(), before + 1) << d.what;
        EXPECT_EQ(script.requests().back().nameFilters, d.filters) << d.what;
    }
    commsHooks() = saved;
}

} // namespace
