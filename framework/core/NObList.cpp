#include "NObList.h"
#include <cstdlib>
#include <memory>
#include <vector>

NObList::NObList(const char* name)
    : m_name(name)
{
}

NObList::~NObList() = default;

BOOL NObList::VDoubleClick(void*)
{
    return FALSE;
}

BOOL NObList::VGetToolTipInfo(CString&)
{
    return FALSE;
}

BOOL NObList::OkToAdd(const CObject*)
{
    return TRUE;
}

BOOL NObList::Expand()
{
    return FALSE;
}

CObject* NObList::operator[](int i) const
{
    return GetAt(FindIndex(i));
}

BOOL NObList::Remove(const CObject* o)
{
    POSITION pos = Find(o);
    if (!pos) {
        return FALSE;
    }
    RemoveAt(pos);
    return TRUE;
}

void NObList::DeleteAll()
{
    // Unlink before deleting, so an element's destructor never sees itself in the list.
    while (!IsEmpty()) {
        std::unique_ptr<CObject> gone(RemoveHead());
    }
}

CObject* NObList::FindByName(const char* name) const
{
    POSITION pos = GetHeadPosition();
    while (pos) {
        CObject* o = GetNext(pos);
        if (o && o->GetText().CompareNoCase(name) == 0) {
            return o;
        }
    }
    return nullptr;
}

void NObList::Sort(NObListCompare compare, BOOL ascending)
{
    if (!compare || GetCount() < 2) {
        return;
    }
    std::vector<CObject*> items;
    items.reserve(static_cast<size_t>(GetCount()));
    while (!IsEmpty()) {
        items.push_back(RemoveHead());
    }
    std::qsort(items.data(), items.size(), sizeof(CObject*), compare);
    if (ascending) {
        for (CObject* o : items) {
            AddTail(o);
        }
    } else {
        for (CObject* o : items) {
            AddHead(o);
        }
    }
}

namespace {

int compareTextNoCase(const void* a, const void* b)
{
    const CObject* x = *static_cast<CObject* const*>(a);
    const CObject* y = *static_cast<CObject* const*>(b);
    const CString tx = x ? x->GetText() : CString();
    const CString ty = y ? y->GetText() : CString();
    return QString::compare(tx.toQString(), ty.toQString(), Qt::CaseInsensitive);
}

} // namespace

void NObList::SortByText(BOOL ascending)
{
    Sort(compareTextNoCase, ascending);
}
