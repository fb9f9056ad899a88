#include "CObString.h"

CObString::CObString(const char* text, NObList* parent)
    : m_text(text)
    , m_parent(parent)
{
}

CObString::~CObString() = default;

BOOL CObString::VDoubleClick(void*)
{
    return FALSE;
}

BOOL CObString::VGetToolTipInfo(CString&)
{
    return FALSE;
}
