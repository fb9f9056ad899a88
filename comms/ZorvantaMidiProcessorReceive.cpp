// Assembly of incoming system-exclusive data and dispatch by command byte.
#include "ZorvantaMidiProcessor.h"

#include "SysexVocabulary.h"

#include "CMemFile.h"
#include "MIDIbase.h"
#include "MessageBoxHook.h"
#include "MidiMsg.h"
#include "Nibble.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <cstdio>
#include <cstring>
#include <new>

namespace {

bool isTextCommand(int command)
{
    switch (command) {
    case 8:
    case 10:
    case 25:
    case 34:
    case 44:
    case sysex::setGain:
    case sysex::gainReport:
    case sysex::objectInfo:
    case 52:
    case 54:
    case sysex::setValue:
    case 70:
    case 73:
    case 75:
    case 77:
    case 79:
    case 81:
        return true;
    default:
        return false;
    }
}

bool isBinaryFileCommand(int command)
{
    return command == 15 || command == 19 || command == 21 || command == 22 || command == 57;
}

bool isHandledCommand(int command)
{
    return isTextCommand(command) || isBinaryFileCommand(command) || command == sysex::errorText
        || command == 48 || command == sysex::hexText;
}

// Longest payload of command 64 shown; the rest is not shown.
constexpr int kMaxHexPayload = 32;

} // namespace

int ZorvantaMidiProcessor::ProcessMidiMsg(MidiMsg* message, QObject* window)
{
    std::unique_ptr<MidiMsg> owned(message);
    // Reading the time of day costs several times more than assembling a
    // piece, so the pieces inside a long message refresh the activity time
    // only every few calls; a new message and every dispatch refresh it.
    if (!buffer_ || busy_ || ++piecesSinceTicks_ >= kPiecesPerTickRefresh || !transport_->IsOpen())
        SaveTicks();
    if (!transport_->IsOpen())
        return 2;
    if (busy_) {
        FrameworkMessageBox(nullptr, QStringLiteral("message overrun"),
            QStringLiteral("ZorvantaMidiProcessor"), MB_OK | MB_ICONWARNING);
        return 3;
    }
    busy_ = 1;
    if (!owned) {
        --busy_;
        SaveTicks();
        return 0;
    }
    bool startedHere = false;
    const unsigned char* bytes = owned->Data();
    const int count = owned->DataLen();
    int at = 0;
    while (at < count) {
        // Status bytes that end or restart a message, and real-time bytes,
        // stop the scan; everything else is data of the message.
        int stop = at;
        while (stop < count && bytes[stop] < 0xF7 && bytes[stop] != 0xF0)
            ++stop;
        if (stop > at && buffer_ && !discarding_)
            appendToBuffer(bytes + at, stop - at);
        if (stop == count)
            break;
        const unsigned char status = bytes[stop];
        at = stop + 1;
        if (status == 0xF0) {
            // A new message: whatever was left unterminated is dropped, so a
            // lost 0xF7 or stray bytes cannot corrupt the message that follows.
            buffer_.reset();
            discarding_ = false;
            buffer_.reset(new (std::nothrow) CMemFile);
            if (!buffer_)
                break;
            appendToBuffer(&status, 1);
            startedHere = buffer_ != nullptr;
        } else if (status == 0xF7) {
            if (buffer_ && !discarding_) {
                appendToBuffer(&status, 1);
                if (buffer_) {
                    finishMessage(window);
                    // A handler may have run for a while (a modal box).
                    SaveTicks();
                }
            }
            buffer_.reset();
            discarding_ = false;
            startedHere = false;
        }
        // Bytes above 0xF7 (timing clock, active sensing ...) are skipped; the
        // message being assembled goes on after them.
    }
    if (startedHere) {
        if (clockEnabled_ && !clock_ && commsHooks().makeClock)
            clock_ = commsHooks().makeClock(transport_->ReplyWindow());
        if (clock_)
            clock_->Click();
    } else {
        clock_.reset();
    }
    owned.reset();
    --busy_;
    // The time was recorded on entry and after every dispatch; reading the
    // clock again here would cost more than the assembly of a piece.
    return startedHere ? 1 : 0;
}

void ZorvantaMidiProcessor::appendToBuffer(const unsigned char* bytes, int count)
{
    if (buffer_->GetLength() + count > assemblyLimit_) {
        char why[128];
        std::snprintf(
            why, sizeof why, "Incoming message longer than %ld bytes dropped", assemblyLimit_);
        dropMessage(why);
        return;
    }
    try {
        if (buffer_->Write(bytes, count) != count)
            dropMessage("Incoming message dropped: out of memory");
    } catch (const std::bad_alloc&) {
        dropMessage("Incoming message dropped: out of memory");
    }
}

void ZorvantaMidiProcessor::dropMessage(const char* why)
{
    buffer_.reset();
    discarding_ = true;
    AddErrorText(why);
}

std::vector<char> ZorvantaMidiProcessor::readPayload(int length)
{
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, 0);
    const int got = length > 0 ? buffer_->Read(text.data(), length) : 0;
    text[static_cast<size_t>(got)] = 0;
    text.resize(static_cast<size_t>(got) + 1);
    return text;
}

void ZorvantaMidiProcessor::finishMessage(QObject* window)
{
    const long length = buffer_->GetLength();
    if (length < 3)
        return;
    unsigned char second = 0;
    buffer_->seek(1);
    buffer_->Read(&second, 1);
    if (second == 0x7E) {
        const int bodyLength = static_cast<int>(length - 2);
        std::unique_ptr<unsigned char[]> body(
            new (std::nothrow) unsigned char[static_cast<size_t>(bodyLength) + 1]);
        if (!body)
            return;
        buffer_->seek(2);
        buffer_->Read(body.get(), bodyLength);
        body[static_cast<size_t>(bodyLength)] = 0;
        StandardNonRealTimeCommand(body.get(), bodyLength, window);
    } else if (length >= 6) {
        // Header, command and 0xF7: anything shorter carries no command.
        unsigned char command = 0;
        buffer_->seek(4);
        buffer_->Read(&command, 1);
        MessageEnd(command, static_cast<int>(length - 6), window);
    }
}

void ZorvantaMidiProcessor::MessageEnd(int command, int length, QObject* window)
{
    if (!buffer_)
        return;
    if (command < 0 || command > 127 || !handlerEnabled_[command] || command < 8 || command > 81
        || !isHandledCommand(command)) {
        // The command byte, then the payload; the length covers both.
        std::vector<char> block(static_cast<size_t>(length > 0 ? length : 0) + 2, 0);
        block[0] = static_cast<char>(command);
        const int got = length > 0 ? buffer_->Read(block.data() + 1, length) : 0;
        UnknownCommand(block.data(), got + 1);
        return;
    }
    if (isTextCommand(command)) {
        std::vector<char> text = readPayload(length);
        // Blanks, control characters and bytes of 0x80 and above are trimmed.
        char* start = text.data();
        char* end = start + std::strlen(start);
        while (start < end && static_cast<signed char>(*start) <= 0x20)
            ++start;
        while (end > start && static_cast<signed char>(end[-1]) <= 0x20)
            --end;
        *end = 0;
        ProcessTextMessage(command, start, window);
        return;
    }
    if (command == sysex::errorText) {
        std::vector<char> text = readPayload(length);
        OnSysexcError(text.data());
        return;
    }
    if (isBinaryFileCommand(command)) {
        ProcessBinaryFile(command, length, window);
        return;
    }
    if (command == 48) {
        std::vector<char> nibbles = readPayload(length);
        const int byteCount = static_cast<int>(nibbles.size() - 1) / 2;
        std::vector<char> decoded(static_cast<size_t>(byteCount) + 1, 0);
        denibbleize(
            reinterpret_cast<const unsigned char*>(nibbles.data()), decoded.data(), byteCount * 2);
        int pairs = byteCount > 0 ? static_cast<unsigned char>(decoded[0]) : 0;
        // A count larger than the pairs that arrived is cut to what is there.
        if (pairs > (byteCount - 1) / 2)
            pairs = byteCount > 0 ? (byteCount - 1) / 2 : 0;
        OnPrognumsDump(pairs, reinterpret_cast<const prognums_buffer*>(decoded.data() + 1), window);
        return;
    }
    if (command == sysex::hexText) {
        const int shown = length < kMaxHexPayload ? length : kMaxHexPayload;
        std::vector<char> raw = readPayload(shown);
        const int got = static_cast<int>(raw.size()) - 1;
        std::string text;
        // Each byte carries one hex digit; pairs are separated by a blank and an
        // odd count keeps its last digit. A byte that is no digit shows as '?',
        // so it can neither end the text nor pass for a separator.
        for (int i = 0; i < got; ++i) {
            const unsigned char b = static_cast<unsigned char>(raw[static_cast<size_t>(i)]);
            if (i > 0 && i % 2 == 0)
                text += ' ';
            text += b < 10 ? static_cast<char>('0' + b)
                : b < 16   ? static_cast<char>('A' + (b - 10))
                           : '?';
        }
        ProcessTextMessage(sysex::hexText, text.c_str(), window);
        return;
    }
}

void ZorvantaMidiProcessor::StandardNonRealTimeCommand(
    unsigned char* body, int length, QObject* window)
{
    if (!body || length < 12 || body[1] != 0x06 || body[2] != 0x02)
        return;
    char line[160];
    std::snprintf(line, sizeof line,
        "IDENTITY_REPLY: manuf(%x) Family(%x%x) Member(%x%x) Version(%x.%x.%x.%x)", body[3],
        body[5], body[4], body[7], body[6], body[11], body[10], body[9], body[8]);
    std::string text = line;
    if (body[3] == sysex::manufacturer && length > 12) {
        // The maker's extra text runs to the first zero; the closing 0xF7 is
        // never part of it.
        std::string extra;
        for (int i = 12; i < length && body[i] != 0 && body[i] != 0xF7; ++i)
            extra += static_cast<char>(body[i]);
        text += "\r\n";
        text += extra;
        if (ProcessIdentityMessage(extra.data(), window))
            text.clear();
    }
    if (!text.empty())
        ProcessTextMessage(0, text.c_str(), window);
}

void ZorvantaMidiProcessor::ProcessTextMessage(int, const char* text, QObject* window)
{
    if (!window)
        return;
    QString all = window->property("windowTitle").toString();
    if (!all.isEmpty())
        all += QStringLiteral("\r\n");
    all += textToQString(text);
    window->setProperty("windowTitle", all);
}

int ZorvantaMidiProcessor::ProcessIdentityMessage(char*, QObject*)
{
    return 0;
}

void ZorvantaMidiProcessor::UnknownCommand(char*, int) { }

void ZorvantaMidiProcessor::OnSysexcError(const char* text)
{
    AddErrorText(text);
}
