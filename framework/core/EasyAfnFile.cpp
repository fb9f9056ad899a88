#include "EasyAfnFile.h"

EasyAfnFile::EasyAfnFile(const CString& pattern, EasyAfnCallback callback, void* data, BOOL recurse)
    : m_callback(callback)
    , m_data(data)
{
    m_result = Process(pattern, recurse ? kRecurse : 0);
}

EasyAfnFile::EasyAfnFile(
    const CString& pattern, EasyAfnTextCallback callback, void* data, BOOL recurse)
    : m_textCallback(callback)
    , m_data(data)
{
    m_result = Process(pattern, recurse ? kRecurse : 0);
}

EasyAfnFile::~EasyAfnFile() = default;

int EasyAfnFile::ProcessFile(const CString& path)
{
    if (m_callback) {
        return m_callback(path, m_data);
    }
    return m_textCallback ? m_textCallback(path, m_data) : 0;
}
