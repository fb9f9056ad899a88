// Dumps: binary dump files sent to the device and received dumps saved, raw
// system-exclusive files sent unchanged, and the program-number list report.
#include "ZorvantaMidiProcessor.h"

#include "SysexVocabulary.h"

#include "BinaryDumpFile.h"
#include "CFile.h"
#include "CMemFile.h"
#include "CommsHooks.h"
#include "MessageBoxHook.h"
#include "ProfileStore.h"

#include <QObject>
#include <QVariant>

#include <cstdio>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr const char* kRawSysexFilter
    = "Sysex Files (*.syx)|*.syx|Binary Files (*.bin)|*.bin|All Files (*.*)|*.*||";
constexpr int kCopyChunk = 4096;
// Longest raw file sent: the device takes no longer message.
constexpr qint64 kMaxRawFileBytes = 64LL * 1024 * 1024;
// The program-number report stops growing past this many characters.
constexpr int kMaxPrognumsText = 923;

void warn(const QString& caption, const QString& text)
{
    FrameworkMessageBox(nullptr, text, caption, MB_OK | MB_ICONWARNING);
}

void refuse(const char* caption)
{
    warn(textToQString(caption), QStringLiteral("Cannot send .."));
}

} // namespace

void ZorvantaMidiProcessor::SendDump(int kind)
{
    CString name;
    GetBinaryFileName(1, kind, name);
    if (name.IsEmpty())
        return;
    CFile file;
    if (!file.Open(name, CFile::fmRead)) {
        warn(QStringLiteral("Unable to open file"), name.toQString());
        return;
    }
    BinaryDumpFile dump(file);
    switch (dump.Verify()) {
    case BinaryDumpFile::ok:
        break;
    case BinaryDumpFile::badLength:
        refuse("Faulty File (bad length)");
        return;
    case BinaryDumpFile::tooLarge:
        refuse("Faulty File (too large)");
        return;
    case BinaryDumpFile::badData:
        // A byte above 15 is not a nibble; sent, it could end the message early.
        refuse("Faulty File (bad data)");
        return;
    case BinaryDumpFile::badChecksum:
        refuse("Faulty File (bad checksum)");
        return;
    case BinaryDumpFile::unreadable:
        warn(QStringLiteral("Unable to open file"), name.toQString());
        return;
    }
    std::vector<unsigned char> block;
    if (!dump.Block(block)) {
        refuse("Not enough memory");
        return;
    }
    const int err = SysxShort(static_cast<char>(midiId_), static_cast<char>(kind),
        sysex::manufacturer, sysex::family, block.data(), static_cast<int>(block.size()), nullptr);
    SaveTicks();
    ErrorDialog(err);
}

int ZorvantaMidiProcessor::ProcessBinaryFile(int kind, int length, QObject*)
{
    CMemFile* payload = AssemblyBuffer();
    CString name;
    GetBinaryFileName(0, kind, name);
    if (name.IsEmpty() || !payload)
        return 0;
    CFile file;
    if (!file.Open(name, CFile::fmWrite)) {
        // The dump would be lost without a word.
        warn(QStringLiteral("Unable to open file"), name.toQString());
        return 0;
    }
    long left = length > 0 ? length : 0;
    const long available = payload->GetLength() - payload->pos();
    if (left > available)
        left = available;
    unsigned char chunk[kCopyChunk];
    unsigned char header[8] = {};
    long written = 0;
    unsigned sum = 0;
    bool nibblesOnly = true;
    bool writeFailed = false;
    while (left > 0) {
        const int want = left < kCopyChunk ? static_cast<int>(left) : kCopyChunk;
        int got = payload->Read(chunk, want);
        if (got <= 0)
            break;
        left -= got;
        if (left == 0 && chunk[got - 1] == 0xF7)
            --got;
        for (int i = 0; i < got; ++i) {
            const long at = written + i;
            sum += (at % 2 == 0) ? chunk[i] * 16u : chunk[i];
            nibblesOnly = nibblesOnly && chunk[i] <= 15;
            if (at < 8)
                header[at] = chunk[i];
        }
        if (got > 0 && file.Write(chunk, got) != got) {
            writeFailed = true;
            break;
        }
        written += got;
    }
    if (!file.Close() || writeFailed) {
        // A part of a dump must not be left looking like the whole.
        CFile::Remove(name);
        warn(QStringLiteral("Unable to write file"), name.toQString());
        return 0;
    }
    // The length field must also agree with what arrived: a message cut short
    // or padded can still sum to 0.
    unsigned long n = 0;
    for (unsigned char h : header)
        n = (n << 4) | (h & 0x0F);
    const bool whole = written >= 10 && 2 * static_cast<long long>(n) + 10 == (written & ~1L);
    if (sum % 256 != 0 || !nibblesOnly || !whole)
        warn(QStringLiteral("Data Transmission Error"),
            QStringLiteral("Bad checksum - file probably corrupt - do not use"));
    return 1;
}

void ZorvantaMidiProcessor::OnPrognumsDump(int count, const prognums_buffer* pairs, QObject* window)
{
    char line[64];
    std::snprintf(line, sizeof line, "Machines: %d\r\n", count);
    std::string text = line;
    for (int i = 0; pairs && i < count; ++i) {
        if (static_cast<int>(text.size()) > kMaxPrognumsText)
            break;
        std::snprintf(
            line, sizeof line, "(%d) Bank: %d Prog: %d\r\n", i, pairs[i].bank, pairs[i].program);
        text += line;
    }
    if (window)
        window->setProperty("windowTitle", textToQString(text.c_str()));
}

int ZorvantaMidiProcessor::SendRaw(QObject* replyWindow)
{
    const CString last = GetProfileString("Nerilune", "RawSysexFile", "");
    CString name;
    if (commsHooks().askFileName)
        name = commsHooks().askFileName(true, nullptr,
            last.IsEmpty() ? nullptr : static_cast<const char*>(last), kRawSysexFilter);
    if (name.IsEmpty())
        return 0;
    CFile file;
    if (!file.Open(name, CFile::fmRead))
        return -1;
    const qint64 length = file.GetLength();
    if (length < 0)
        return -1;
    if (length > kMaxRawFileBytes)
        return -2;
    std::unique_ptr<unsigned char[]> data(
        new (std::nothrow) unsigned char[static_cast<size_t>(length) + 8]);
    if (!data)
        return -2;
    const int size = static_cast<int>(length);
    // A file that cannot be read whole is not reported as sent.
    const int result
        = file.Read(data.get(), size) == size ? SendRaw(data.get(), size, replyWindow) : -1;
    WriteProfileString("Nerilune", "RawSysexFile", name);
    return result;
}
