#pragma once
#include "CObList.h"
#include "CString.h"

// A list of texts; it owns a copy of every string it holds.
class CStringList : public CObList {
public:
    CStringList() = default;
    ~CStringList() override;

    POSITION AddHead(const CString& s);
    POSITION AddTail(const CString& s);
    void AddTail(const CStringList& list); // appends copies of every string
    void AddTail(const CStringList* list)
    {
        if (list)
            AddTail(*list);
    }
    POSITION InsertBefore(POSITION pos, const CString& s);
    POSITION InsertAfter(POSITION pos, const CString& s);

    // Return the string at pos and move pos on (null past the end).
    CString& GetNext(POSITION& pos);
    const CString& GetNext(POSITION& pos) const;
    CString& GetPrev(POSITION& pos);
    CString& GetAt(POSITION pos);
    const CString& GetAt(POSITION pos) const;
    void SetAt(POSITION pos, const CString& s);
    // An empty list gives an empty text.
    CString GetHead() const;
    CString GetTail() const;
    CString RemoveHead();
    CString RemoveTail();
    void RemoveAt(POSITION pos); // deletes the string

    // First node whose text equals s (case-sensitive), from start itself or the head.
    POSITION Find(const char* s, POSITION start = nullptr) const;
    void RemoveAll(); // deletes the strings

private:
    static CString* item(CObject* o) { return static_cast<CString*>(o); }
    CString m_none; // what the reference accessors give for a null position
};
