#include "MIDIbase.h"

#include "CommsWaitCursor.h"
#include "MessageBoxHook.h"
#include "MidiMsg.h"
#include "Posting.h"

#include <QObject>

MIDIbase::~MIDIbase()
{
    QObject::disconnect(replyWindowGone_);
}

int MIDIbase::ShortMessage(unsigned char, unsigned char, unsigned char)
{
    return 0;
}

int MIDIbase::Send(int, sendInfo*)
{
    return 0;
}

int MIDIbase::Open(signed char)
{
    return 0;
}

void MIDIbase::ExplainErr(int code, CString& text)
{
    if (code == 0)
        text = "No Error";
    else
        text.Format("Can't explain - E%d", code);
}

void MIDIbase::SetReplyWindow(QObject* window)
{
    if (window == ReplyWindow())
        return;
    QObject::disconnect(replyWindowGone_);
    replyWindow_.store(window, std::memory_order_release);
    // A window that goes away must not receive posts from the input thread.
    if (window)
        replyWindowGone_ = QObject::connect(window, &QObject::destroyed,
            [this] { replyWindow_.store(nullptr, std::memory_order_release); });
}

int MIDIbase::SysxShort(char id, char command, char manufacturer, char family, const void* data,
    int length, QObject* replyWindow)
{
    const int err = Open(1);
    if (err)
        return err;
    CommsWaitCursor wait;
    const unsigned char start = 0xF0;
    const unsigned char end = 0xF7;
    const unsigned char header[4] = { 0xF0, static_cast<unsigned char>(manufacturer),
        static_cast<unsigned char>(family), static_cast<unsigned char>(id) };
    const unsigned char cmd = static_cast<unsigned char>(command);
    sendInfo pieces[4];
    int count = 0;
    if (cmd != 0xFF) {
        pieces[count++] = { header, 4 };
        pieces[count++] = { &cmd, 1 };
    } else {
        pieces[count++] = { &start, 1 };
    }
    if (data && length > 0)
        pieces[count++] = { static_cast<const unsigned char*>(data), length };
    pieces[count++] = { &end, 1 };
    SetReplyWindow(replyWindow);
    return Send(count, pieces);
}

int MIDIbase::SendRaw(const void* data, int length, QObject* replyWindow)
{
    const int err = Open(1);
    if (err)
        return err;
    if (!data || length <= 0)
        return 0;
    SetReplyWindow(replyWindow);
    sendInfo piece { static_cast<const unsigned char*>(data), length };
    return Send(1, &piece);
}

void MIDIbase::ErrorDialog(int code)
{
    if (!code)
        return;
    CString text;
    ExplainErr(code, text);
    FrameworkMessageBox(
        nullptr, text.toQString(), QStringLiteral("Comms Error"), MB_OK | MB_ICONWARNING);
}

void MIDIbase::MessageReceived(MidiMsg* message)
{
    QObject* window = ReplyWindow();
    if (!window) {
        delete message;
        return;
    }
    PostMessage(window, kMidiInputMessage, 0, reinterpret_cast<LPARAM>(message));
}
