// Binary dump files checked and prepared for sending, fed arbitrary files.
//
// Input: a flags byte (bit 0: repair the file first so that its length field
// and checksum are right and every byte is a nibble, which takes the run past
// the checks into the shortening of images), two bytes of a decoded offset
// to read at, then the file's bytes.
//
// Besides what the sanitizers catch, each run checks that
//  - a file passes only when its length field, nibbles and checksum are right,
//  - the block to send is a well formed nibble block (values 0..15, length
//    field matching, decoded sum 0 mod 256), never longer than the file, and
//    either the whole file or its first data bytes under a new length,
//  - reading a value or the checksum leaves the file position as it was.
#include "FuzzSupport.h"

#include "BinaryDumpFile.h"
#include "CFile.h"

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Masks every byte to a nibble, writes the real data length into the length
// field and sets the checksum so the decoded bytes sum to 0.
void repair(Bytes& f)
{
    if (f.size() < 10)
        f.resize(10, 0);
    if (f.size() % 2)
        f.pop_back();
    for (std::uint8_t& b : f)
        b &= 0x0F;
    const unsigned long n = (f.size() - 10) / 2;
    for (int i = 0; i < 8; ++i)
        f[size_t(i)] = (n >> (28 - 4 * i)) & 0x0F;
    unsigned sum = 0;
    for (size_t i = 0; i + 2 < f.size(); i += 2)
        sum += f[i] * 16u + f[i + 1];
    const unsigned check = (256 - sum % 256) % 256;
    f[f.size() - 2] = check >> 4;
    f[f.size() - 1] = check & 0x0F;
}

unsigned long decoded(const Bytes& f, size_t byte)
{
    return (f[2 * byte] * 16u + f[2 * byte + 1]) & 0xFF;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::quietStartUp();
    if (size < 3)
        return 0;
    const bool fix = data[0] & 1;
    const long offset = long(data[1]) << 8 | data[2];
    Bytes file(data + 3, data + size);
    if (fix)
        repair(file);
    const std::string path = fuzz::scratchPath("dump.bin");
    FUZZ_CHECK(fuzz::writeFile(path, file.data(), file.size()), "cannot write the scratch file");

    CFile f(CString(path.c_str()), CFile::fmRead);
    FUZZ_CHECK(f.IsOpen(), "cannot open the scratch file");
    f.Seek(static_cast<qint64>(offset % (file.size() + 1)), CFile::begin);
    const qint64 at = f.GetPosition();
    MidiFileData(f, offset, 1 + data[0] % 4);
    FUZZ_CHECK(f.GetPosition() == at, "reading a value moved the file position");
    MidiFileData(f, offset - 300, 3);
    FUZZ_CHECK(f.GetPosition() == at, "reading before the start moved the file position");
    bool allNibbles = true;
    for (std::uint8_t b : file)
        allNibbles = allNibbles && b < 16;
    MidiFileChecksum(f);
    if (allNibbles)
        FUZZ_CHECK(f.GetPosition() == at, "the checksum moved the file position");
    f.Seek(0, CFile::begin);

    BinaryDumpFile dump(f);
    const BinaryDumpFile::Check check = dump.Verify();
    if (fix && file.size() <= size_t(BinaryDumpFile::kMaxFileBytes))
        FUZZ_CHECK(check == BinaryDumpFile::ok, "a repaired file fails its check");
    if (check != BinaryDumpFile::ok)
        return 0;

    // The file is right by its own account: check that independently.
    const size_t even = file.size() & ~size_t(1);
    FUZZ_CHECK(even >= 10, "a file without length field and checksum passed");
    unsigned long n = 0;
    for (size_t i = 0; i < 4; ++i)
        n = n << 8 | decoded(file, i);
    FUZZ_CHECK(2 * n + 10 == even, "a file with a wrong length field passed");
    unsigned sum = 0;
    for (size_t i = 0; i < even; ++i) {
        FUZZ_CHECK(file[i] < 16, "a file holding a byte above 15 passed");
        sum += i % 2 ? file[i] : file[i] * 16u;
    }
    FUZZ_CHECK(sum % 256 == 0, "a file with a wrong checksum passed");
    FUZZ_CHECK(dump.DataBytes() == n, "data length differs from the length field");

    std::vector<unsigned char> block;
    FUZZ_CHECK(dump.Block(block), "a checked file gives no block");
    FUZZ_CHECK(block.size() >= 10 && block.size() % 2 == 0 && block.size() <= even,
        "block size " + std::to_string(block.size()));
    unsigned long m = 0;
    unsigned blockSum = 0;
    for (size_t i = 0; i < block.size(); ++i) {
        FUZZ_CHECK(block[i] < 16, "block holds a byte above 15");
        blockSum += i % 2 ? block[i] : block[i] * 16u;
        if (i < 8)
            m = m << 4 | block[i];
    }
    FUZZ_CHECK(2 * m + 10 == block.size(), "block length field does not match the block");
    FUZZ_CHECK(blockSum % 256 == 0, "block checksum wrong");
    const unsigned long shortened = dump.ShortenedBytes();
    if (shortened == 0) {
        FUZZ_CHECK(block == std::vector<unsigned char>(file.begin(), file.begin() + long(even)),
            "whole-file block differs from the file");
    } else {
        FUZZ_CHECK(shortened < n && m == shortened, "shortened image is not shorter");
        FUZZ_CHECK(std::equal(block.begin() + 8, block.end() - 2, file.begin() + 8),
            "shortened image is not the first data bytes");
    }
    return 0;
}
