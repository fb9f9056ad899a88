#include "CStringList.h"
#include <memory>

CStringList::~CStringList()
{
    RemoveAll();
}

POSITION CStringList::AddHead(const CString& s)
{
    return CObList::AddHead(new CString(s)); // owned by the list until RemoveAt/RemoveAll
}

POSITION CStringList::AddTail(const CString& s)
{
    return CObList::AddTail(new CString(s)); // owned by the list until RemoveAt/RemoveAll
}

void CStringList::AddTail(const CStringList& list)
{
    POSITION pos = list.GetHeadPosition();
    for (int n = list.GetCount(); n > 0 && pos; --n) {
        AddTail(list.GetNext(pos));
    }
}

POSITION CStringList::InsertBefore(POSITION pos, const CString& s)
{
    return CObList::InsertBefore(pos, new CString(s));
}

POSITION CStringList::InsertAfter(POSITION pos, const CString& s)
{
    return CObList::InsertAfter(pos, new CString(s));
}

CString& CStringList::GetNext(POSITION& pos)
{
    if (!pos) {
        m_none.Empty();
        return m_none;
    }
    return *item(CObList::GetNext(pos));
}

const CString& CStringList::GetNext(POSITION& pos) const
{
    if (!pos) {
        static const CString none;
        return none;
    }
    return *item(CObList::GetNext(pos));
}

CString& CStringList::GetPrev(POSITION& pos)
{
    if (!pos) {
        m_none.Empty();
        return m_none;
    }
    return *item(CObList::GetPrev(pos));
}

CString& CStringList::GetAt(POSITION pos)
{
    if (!pos) {
        m_none.Empty();
        return m_none;
    }
    return *item(CObList::GetAt(pos));
}

const CString& CStringList::GetAt(POSITION pos) const
{
    if (!pos) {
        static const CString none;
        return none;
    }
    return *item(CObList::GetAt(pos));
}

void CStringList::SetAt(POSITION pos, const CString& s)
{
    if (pos) {
        *item(CObList::GetAt(pos)) = s;
    }
}

CString CStringList::GetHead() const
{
    const CObject* o = CObList::GetHead();
    return o ? *static_cast<const CString*>(o) : CString();
}

CString CStringList::GetTail() const
{
    const CObject* o = CObList::GetTail();
    return o ? *static_cast<const CString*>(o) : CString();
}

CString CStringList::RemoveHead()
{
    std::unique_ptr<CString> s(item(CObList::RemoveHead()));
    return s ? *s : CString();
}

CString CStringList::RemoveTail()
{
    std::unique_ptr<CString> s(item(CObList::RemoveTail()));
    return s ? *s : CString();
}

void CStringList::RemoveAt(POSITION pos)
{
    if (!pos) {
        return;
    }
    std::unique_ptr<CString> s(item(CObList::GetAt(pos)));
    CObList::RemoveAt(pos);
}

POSITION CStringList::Find(const char* s, POSITION start) const
{
    for (POSITION pos = start ? start : GetHeadPosition(); pos;) {
        POSITION here = pos;
        if (GetNext(pos).Compare(s) == 0) {
            return here;
        }
    }
    return nullptr;
}

void CStringList::RemoveAll()
{
    while (!IsEmpty()) {
        RemoveHead();
    }
}
