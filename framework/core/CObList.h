#pragma once
#include "CObject.h"

// One node of a CObList; a POSITION points at one of these.
struct CObListNode {
    CObListNode* next = nullptr;
    CObListNode* prev = nullptr;
    CObject* data = nullptr;
};

// Doubly linked list of object pointers addressed by positions. It does not own its elements.
class CObList : public CObject {
public:
    CObList() = default;
    CObList(const CObList&) = delete;
    CObList& operator=(const CObList&) = delete;
    ~CObList() override;

    POSITION AddHead(CObject* o);
    POSITION AddTail(CObject* o);
    void AddTail(const CObList* list); // appends every element of list (null: nothing)
    void AddTail(const CObList& list) { AddTail(&list); }
    POSITION InsertBefore(POSITION pos, CObject* o); // pos null: at the head
    POSITION InsertAfter(POSITION pos, CObject* o); // pos null: at the tail

    // Remove and return the element; an empty list gives null and stays empty.
    CObject* RemoveHead();
    CObject* RemoveTail();
    void RemoveAt(POSITION pos);
    void RemoveAll();

    POSITION GetHeadPosition() const { return m_head; }
    POSITION GetTailPosition() const { return m_tail; }
    // Return the element at pos and move pos on (null past the end). A null pos gives null.
    CObject*& GetNext(POSITION& pos);
    CObject* GetNext(POSITION& pos) const;
    CObject*& GetPrev(POSITION& pos);
    CObject* GetPrev(POSITION& pos) const;

    // Element access; GetHead/GetTail of an empty list give null.
    CObject* GetHead() const { return m_head ? m_head->data : nullptr; }
    CObject* GetTail() const { return m_tail ? m_tail->data : nullptr; }
    CObject*& GetAt(POSITION pos);
    CObject* GetAt(POSITION pos) const { return pos ? pos->data : nullptr; }
    void SetAt(POSITION pos, CObject* o);

    // Position of element i (0 = head), or null.
    POSITION FindIndex(int i) const;
    // First node holding o, searching from start itself (head when start is null).
    POSITION Find(const CObject* o, POSITION start = nullptr) const;

    int GetCount() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }

private:
    POSITION link(CObListNode* before, CObListNode* after, CObject* o);

    CObListNode* m_head = nullptr;
    CObject* m_none = nullptr; // what the reference accessors give for a null position
    CObListNode* m_tail = nullptr;
    int m_count = 0;
};
