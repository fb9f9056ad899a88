#include "CObList.h"
#include "FrameworkAssert.h"
#include <memory>

CObList::~CObList()
{
    RemoveAll();
}

POSITION CObList::link(CObListNode* before, CObListNode* after, CObject* o)
{
    auto node = std::make_unique<CObListNode>();
    node->data = o;
    node->prev = before;
    node->next = after;
    CObListNode* n = node.release(); // owned by the list from here; freed in RemoveAt
    if (before) {
        before->next = n;
    } else {
        m_head = n;
    }
    if (after) {
        after->prev = n;
    } else {
        m_tail = n;
    }
    ++m_count;
    return n;
}

POSITION CObList::AddHead(CObject* o)
{
    return link(nullptr, m_head, o);
}

POSITION CObList::AddTail(CObject* o)
{
    return link(m_tail, nullptr, o);
}

void CObList::AddTail(const CObList* list)
{
    if (!list) {
        return;
    }
    // Count first, so appending a list to itself ends.
    POSITION pos = list->GetHeadPosition();
    for (int n = list->GetCount(); n > 0 && pos; --n) {
        AddTail(list->GetNext(pos));
    }
}

POSITION CObList::InsertBefore(POSITION pos, CObject* o)
{
    if (!pos) {
        return AddHead(o);
    }
    return link(pos->prev, pos, o);
}

POSITION CObList::InsertAfter(POSITION pos, CObject* o)
{
    if (!pos) {
        return AddTail(o);
    }
    return link(pos, pos->next, o);
}

CObject* CObList::RemoveHead()
{
    // Callers remove only from a list they know holds something.
    if (!ASSERT(m_head)) {
        return nullptr;
    }
    CObject* o = m_head->data;
    RemoveAt(m_head);
    return o;
}

CObject* CObList::RemoveTail()
{
    if (!ASSERT(m_tail)) {
        return nullptr;
    }
    CObject* o = m_tail->data;
    RemoveAt(m_tail);
    return o;
}

void CObList::RemoveAt(POSITION pos)
{
    if (!pos) {
        return;
    }
    if (pos->prev) {
        pos->prev->next = pos->next;
    } else {
        m_head = pos->next;
    }
    if (pos->next) {
        pos->next->prev = pos->prev;
    } else {
        m_tail = pos->prev;
    }
    --m_count;
    std::unique_ptr<CObListNode> gone(pos);
}

void CObList::RemoveAll()
{
    while (m_head) {
        RemoveAt(m_head);
    }
}

CObject*& CObList::GetNext(POSITION& pos)
{
    if (!pos) {
        m_none = nullptr;
        return m_none;
    }
    CObListNode* n = pos;
    pos = n->next;
    return n->data;
}

CObject* CObList::GetNext(POSITION& pos) const
{
    if (!pos) {
        return nullptr;
    }
    CObListNode* n = pos;
    pos = n->next;
    return n->data;
}

CObject*& CObList::GetPrev(POSITION& pos)
{
    if (!pos) {
        m_none = nullptr;
        return m_none;
    }
    CObListNode* n = pos;
    pos = n->prev;
    return n->data;
}

CObject* CObList::GetPrev(POSITION& pos) const
{
    if (!pos) {
        return nullptr;
    }
    CObListNode* n = pos;
    pos = n->prev;
    return n->data;
}

CObject*& CObList::GetAt(POSITION pos)
{
    if (!pos) {
        m_none = nullptr;
        return m_none;
    }
    return pos->data;
}

void CObList::SetAt(POSITION pos, CObject* o)
{
    if (pos) {
        pos->data = o;
    }
}

POSITION CObList::FindIndex(int i) const
{
    if (i < 0 || i >= m_count) {
        return nullptr;
    }
    POSITION pos = m_head;
    while (i-- > 0) {
        pos = pos->next;
    }
    return pos;
}

POSITION CObList::Find(const CObject* o, POSITION start) const
{
    for (POSITION pos = start ? start : m_head; pos; pos = pos->next) {
        if (pos->data == o) {
            return pos;
        }
    }
    return nullptr;
}
