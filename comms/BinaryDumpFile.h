#pragma once
// Binary dump files: a device memory image kept on disk in the nibble form it
// travels in (one nibble per file byte): the data length n as 8 nibbles, the
// n data bytes as 2n nibbles, then a checksum byte making the sum of all
// decoded bytes 0 modulo 256.
#include "CString.h"

#include <QDate>
#include <QtGlobal>

#include <functional>
#include <vector>

class CFile;

// Base file name offered for a dump kind: "files", "card", "prog", "setup" or "data".
const char* dumpBaseName(int kind);
// Name proposed for saving a received dump on a date: base, MMDDYY, ".bin".
CString proposedDumpName(int kind, const QDate& date);
// Replaces the source of today's date used in proposed names (tests); an
// empty function restores the system date. Returns the previous source.
using DumpDateSource = std::function<QDate()>;
DumpDateSource setDumpDateSource(DumpDateSource source);

// Asks the user for a binary file to open or to save a dump of this kind in;
// the name is empty when the user cancels.
void GetBinaryFileName(signed char forOpening, int kind, CString& name);
// The big-endian value of count (at most 4) decoded bytes starting at decoded
// byte offset; 0 when they cannot all be read. The file position is kept.
unsigned long MidiFileData(CFile& file, long offset, int count);
// The sum of all decoded bytes of the file. At the first byte that is not a
// nibble it returns the sum so far, leaving the position there; otherwise the
// position is kept.
unsigned long MidiFileChecksum(CFile& file);

// Reading a dump file for sending: every size in it is checked against the
// file's real size before anything is allocated or read.
class BinaryDumpFile {
public:
    enum Check { ok, badLength, badChecksum, badData, tooLarge, unreadable };
    // Longest file accepted for sending: the device takes no longer message.
    static constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;

    explicit BinaryDumpFile(CFile& file)
        : file_(file)
    {
    }

    // Checks length, size bound, nibble bytes and checksum, in that order.
    Check Verify();
    // The nibble block to send: the whole file without an odd trailing byte,
    // or, when its two section sizes cover less than the data, the shortened
    // image of those sections with a new length and checksum. False when the
    // file cannot be read or the memory cannot be had.
    bool Block(std::vector<unsigned char>& block);
    // Size in data bytes of the shortened image, 0 when the whole file goes.
    unsigned long ShortenedBytes();

private:
    CFile& file_;
    unsigned long n_ = 0;
};
