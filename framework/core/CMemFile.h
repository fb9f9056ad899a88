#pragma once
#include "FrameworkTypes.h"
#include <array>
#include <memory>
#include <vector>

// An in-memory byte stream kept in a chain of fixed-size blocks; it grows by whole blocks.
class CMemFile {
public:
    static constexpr int kBlockSize = 2048;

    CMemFile() = default;
    CMemFile(const CMemFile&) = delete;
    CMemFile& operator=(const CMemFile&) = delete;
    ~CMemFile();

    // Writes n bytes at the position and moves past them; returns n (0 for bad arguments).
    int Write(const void* buffer, int n);
    // Reads at most length - position bytes; returns the count.
    int Read(void* buffer, int n);
    // Moves to pos when 0 <= pos <= length; otherwise FALSE and the position stays.
    BOOL seek(long pos);
    long GetLength() const { return m_length; }
    long pos() const { return m_position; }

private:
    using Block = std::array<BYTE, kBlockSize>;

    std::vector<std::unique_ptr<Block>> m_blocks; // the chain, first block at index 0
    long m_length = 0;
    long m_position = 0;
    size_t m_current = 0; // block holding the position
};
