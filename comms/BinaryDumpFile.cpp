#include "BinaryDumpFile.h"

#include "CFile.h"
#include "CommsHooks.h"

#include <new>

namespace {

constexpr const char* kBinaryFilter = "Binary Files (*.bin)|*.bin|All Files (*.*)|*.*||";
constexpr int kChecksumBlock = 8192;

DumpDateSource& dateSource()
{
    static DumpDateSource source;
    return source;
}

QDate today()
{
    return dateSource() ? dateSource()() : QDate::currentDate();
}

// Sums the decoded bytes of the whole file from its start. Stops at the first byte above 15
// (badByte set), leaving the position after the block that held it.
unsigned long sumDecoded(CFile& file, bool& badByte)
{
    badByte = false;
    if (file.Seek(0, CFile::begin) < 0)
        return 0;
    unsigned long sum = 0;
    bool high = true;
    unsigned pending = 0;
    unsigned char block[kChecksumBlock];
    for (;;) {
        const int got = file.Read(block, kChecksumBlock);
        if (got <= 0)
            break;
        for (int i = 0; i < got; ++i) {
            if (block[i] > 15) {
                badByte = true;
                return sum;
            }
            // A byte counts once both its nibbles are read. An odd trailing
            // nibble is not sent, so it must not make a wrong block pass.
            if (high)
                pending = block[i] * 16u;
            else
                sum += pending + block[i];
            high = !high;
        }
    }
    return sum;
}

} // namespace

const char* dumpBaseName(int kind)
{
    switch (kind) {
    case 15:
        return "files";
    case 19:
        return "card";
    case 21:
        return "prog";
    case 22:
        return "setup";
    default:
        return "data";
    }
}

CString proposedDumpName(int kind, const QDate& date)
{
    CString name(dumpBaseName(kind));
    name += CString(date.toString(QStringLiteral("MMddyy")));
    name += ".bin";
    return name;
}

DumpDateSource setDumpDateSource(DumpDateSource source)
{
    DumpDateSource previous = std::move(dateSource());
    dateSource() = std::move(source);
    return previous;
}

void GetBinaryFileName(signed char forOpening, int kind, CString& name)
{
    CString proposed(dumpBaseName(kind));
    if (forOpening)
        proposed += "*.bin";
    else
        proposed = proposedDumpName(kind, today());
    const CommsHooks& hooks = commsHooks();
    name.Empty();
    if (hooks.askFileName)
        name = hooks.askFileName(forOpening != 0, "bin", proposed, kBinaryFilter);
    else if (!forOpening && hooks.askSaveFileName)
        name = hooks.askSaveFileName(proposed, kBinaryFilter);
}

unsigned long MidiFileData(CFile& file, long offset, int count)
{
    // More than four bytes would not fit the result; a negative offset or
    // count names nothing in the file.
    if (offset < 0 || count <= 0 || count > 4)
        return 0;
    const qint64 was = file.GetPosition();
    unsigned long value = 0;
    unsigned char nibbles[8];
    const bool read = file.Seek(2 * static_cast<qint64>(offset), CFile::begin) >= 0
        && file.Read(nibbles, 2 * count) == 2 * count;
    if (read)
        for (int i = 0; i < count; ++i)
            value = (value << 8) | ((nibbles[2 * i] * 16u + nibbles[2 * i + 1]) & 0xFF);
    file.Seek(was, CFile::begin);
    return read ? value : 0;
}

unsigned long MidiFileChecksum(CFile& file)
{
    const qint64 was = file.GetPosition();
    bool badByte = false;
    const unsigned long sum = sumDecoded(file, badByte);
    if (!badByte)
        file.Seek(was, CFile::begin);
    return sum;
}

BinaryDumpFile::Check BinaryDumpFile::Verify()
{
    const qint64 length = file_.GetLength();
    if (length < 0)
        return unreadable;
    n_ = MidiFileData(file_, 0, 4);
    // Counted in 64 bits: a hostile length field cannot wrap around to match.
    if (2 * static_cast<qint64>(n_) + 10 != (length & ~qint64(1)))
        return badLength;
    if (length > kMaxFileBytes)
        return tooLarge;
    const qint64 was = file_.GetPosition();
    bool badByte = false;
    const unsigned long sum = sumDecoded(file_, badByte);
    file_.Seek(was, CFile::begin);
    if (badByte)
        return badData;
    if (sum % 256 != 0)
        return badChecksum;
    return ok;
}

unsigned long BinaryDumpFile::ShortenedBytes()
{
    // Section A's size sits in data bytes 9..11, section B's behind A's data
    // in data bytes A+13..A+15. Sizes are only taken from inside the data: a
    // field in the checksum or past the end describes no section, and an
    // image of no sections is not an image.
    if (n_ < 12)
        return 0;
    const unsigned long a = MidiFileData(file_, 13, 3);
    if (a + 16 > n_)
        return 0;
    const unsigned long b = MidiFileData(file_, static_cast<long>(a) + 17, 3);
    const unsigned long total = a + b;
    return total > 0 && total < n_ ? total : 0;
}

bool BinaryDumpFile::Block(std::vector<unsigned char>& block)
{
    const unsigned long shortened = ShortenedBytes();
    const qint64 size
        = shortened ? 2 * static_cast<qint64>(shortened) + 10 : 2 * static_cast<qint64>(n_) + 10;
    if (size > kMaxFileBytes + 8)
        return false;
    try {
        block.assign(static_cast<size_t>(size), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const qint64 was = file_.GetPosition();
    bool read = false;
    if (!shortened) {
        read = file_.Seek(0, CFile::begin) >= 0
            && file_.Read(block.data(), static_cast<int>(size)) == size;
    } else {
        unsigned int pos = 0;
        unsigned long sum = 0;
        for (int shift = 24; shift >= 0; shift -= 8) {
            const unsigned char byte = static_cast<unsigned char>(shortened >> shift);
            block[pos++] = byte >> 4;
            block[pos++] = byte & 0x0F;
            sum += byte;
        }
        const int dataNibbles = static_cast<int>(2 * shortened);
        read = file_.Seek(8, CFile::begin) >= 0
            && file_.Read(block.data() + pos, dataNibbles) == dataNibbles;
        for (int i = 0; i < dataNibbles; i += 2)
            sum += block[pos + i] * 16u + block[pos + i + 1];
        pos += static_cast<unsigned int>(dataNibbles);
        const unsigned char check = static_cast<unsigned char>((256 - sum % 256) % 256);
        block[pos++] = check >> 4;
        block[pos++] = check & 0x0F;
    }
    file_.Seek(was, CFile::begin);
    if (!read)
        block.clear();
    return read;
}
