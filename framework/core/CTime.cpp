#include "CTime.h"

CTime CTime::GetCurrentTime()
{
    return CTime(QDateTime::currentDateTime());
}

CString CTime::Format(const char* fmt) const
{
    if (!fmt || !m_time.isValid()) {
        return CString();
    }
    return CString(m_time.time().toString(textToQString(fmt)));
}
