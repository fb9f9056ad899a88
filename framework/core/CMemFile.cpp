#include "CMemFile.h"
#include <algorithm>
#include <cstring>
#include <limits>

CMemFile::~CMemFile() = default;

int CMemFile::Write(const void* buffer, int n)
{
    if (!buffer || n <= 0) {
        return 0;
    }
    // Refuse a write whose end would not fit the length type rather than wrap around.
    if (static_cast<long long>(m_position) + n > std::numeric_limits<long>::max()) {
        return 0;
    }
    const long end = m_position + n;
    while (static_cast<long>(m_blocks.size()) * kBlockSize < end) {
        m_blocks.push_back(std::make_unique<Block>());
    }
    const BYTE* src = static_cast<const BYTE*>(buffer);
    long at = m_position;
    int left = n;
    while (left > 0) {
        m_current = static_cast<size_t>(at / kBlockSize);
        const int offset = static_cast<int>(at % kBlockSize);
        const int chunk = std::min(left, kBlockSize - offset);
        std::memcpy(m_blocks[m_current]->data() + offset, src, static_cast<size_t>(chunk));
        src += chunk;
        at += chunk;
        left -= chunk;
    }
    m_position = end;
    m_length = std::max(m_length, end);
    m_current = static_cast<size_t>(m_position / kBlockSize);
    return n;
}

int CMemFile::Read(void* buffer, int n)
{
    if (!buffer || n <= 0) {
        return 0;
    }
    const int count = static_cast<int>(std::min<long>(n, m_length - m_position));
    BYTE* dst = static_cast<BYTE*>(buffer);
    int left = count;
    while (left > 0) {
        m_current = static_cast<size_t>(m_position / kBlockSize);
        const int offset = static_cast<int>(m_position % kBlockSize);
        const int chunk = std::min(left, kBlockSize - offset);
        std::memcpy(dst, m_blocks[m_current]->data() + offset, static_cast<size_t>(chunk));
        dst += chunk;
        m_position += chunk;
        left -= chunk;
    }
    m_current = static_cast<size_t>(m_position / kBlockSize);
    return count;
}

BOOL CMemFile::seek(long pos)
{
    if (pos < 0 || pos > m_length) {
        return FALSE;
    }
    m_position = pos;
    m_current = static_cast<size_t>(pos / kBlockSize);
    return TRUE;
}
