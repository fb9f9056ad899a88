#include "EasyAfnFile.h"

EasyAfnFile::EasyAfnFile(const CString& pattern, EasyAfnCallback callback, void* data, BOOL recurse)
    : m_callback(callback)
    , m_data(data)
{
    m_result = Process(pattern, recurse ? kRecurse : 0);
}

EasyAfnFile::~EasyAfnFile() = default;

int EasyAfnFile::ProcessFile(const CString& path)
{
    return m_callback ? m_callback(path, m_data) : 0;
}
