#pragma once
#include "CObList.h"
#include "CString.h"

// Comparison for NObList::Sort, in the C library's qsort form: each argument points at
// one element pointer (a `CObject* const*`).
using NObListCompare = int (*)(const void*, const void*);

// A named object list with a parent list; DeleteAll makes it the owner of its elements.
class NObList : public CObList {
public:
    explicit NObList(const char* name = nullptr);
    ~NObList() override;

    CString GetText() const override { return m_name; }
    void SetText(const char* name) { m_name = name; }
    NObList* GetParent() const { return m_parent; }
    void SetParent(NObList* parent) { m_parent = parent; }

    virtual BOOL VDoubleClick(void* context);
    virtual BOOL VGetToolTipInfo(CString& text);
    virtual BOOL OkToAdd(const CObject* o);
    virtual BOOL Expand();

    // Element i (0 = head), or null.
    CObject* operator[](int i) const;
    // Removes o when it is in the list; TRUE when it was.
    BOOL Remove(const CObject* o);
    // Removes and deletes every element.
    void DeleteAll();
    // First element whose text equals name, ignoring case; null when none.
    CObject* FindByName(const char* name) const;
    // Sorts with compare (qsort, not stable); descending gives the exact reverse order.
    void Sort(NObListCompare compare, BOOL ascending = TRUE);
    // Sorts by element text ignoring case.
    void SortByText(BOOL ascending = TRUE);

private:
    CString m_name;
    NObList* m_parent = nullptr;
};
