#include "IODescList.h"

#include <vector>

IODescList comboDescList[comboSideListCount];

IODescList::~IODescList() = default;

bool IODescList::Find(const IODesc* n) const
{
    return n && !n->disabled && CObList::Find(n) != nullptr;
}

IODesc* IODescList::Select(CPoint p) const
{
    for (POSITION pos = GetHeadPosition(); pos;) {
        IODesc* n = Next(pos);
        if (n->rect.PtInRect(p))
            return n;
    }
    return nullptr;
}

void IODescList::GetGroupMembers(groupID g, CObList& out, int mask) const
{
    for (POSITION pos = GetHeadPosition(); pos && mask != 0;) {
        IODesc* n = Next(pos);
        if (n->Group() != g)
            continue;
        if (mask & 1)
            out.AddTail(n);
        mask >>= 1; // sign-extending: -1 keeps choosing every member
    }
}

int IODescList::GetIndex(const IODesc* n) const
{
    int i = 0;
    for (POSITION pos = GetHeadPosition(); pos; ++i)
        if (GetNext(pos) == n)
            return i;
    return -1;
}

void IODescList::ResetInputs()
{
    for (POSITION pos = GetHeadPosition(); pos;)
        Next(pos)->ResetInputs();
}

int IODescList::GetConnectionList(const IODesc* n, CObList& out) const
{
    int count = 0;
    for (POSITION pos = GetHeadPosition(); pos;) {
        IODesc* node = Next(pos);
        if (node->ConnectsTo(n)) {
            out.AddTail(node);
            ++count;
        }
    }
    return count;
}

int IODescList::GetConnectionList(const IODescList& set, CObList& out) const
{
    int count = 0;
    for (POSITION pos = GetHeadPosition(); pos;) {
        IODesc* node = Next(pos);
        if (set.Find(node))
            count += GetConnectionList(node, out);
    }
    return count;
}

int IODescList::GetConnectedItems(const IODesc* src, CObList& out) const
{
    int count = 0;
    for (POSITION pos = GetHeadPosition(); pos;) {
        IODesc* node = Next(pos);
        if (node->IsActiveInput() && node->source == src) {
            out.AddTail(node);
            ++count;
        }
    }
    return count;
}

int IODescList::GetConnectedItems(const IODescList& set, CObList& out) const
{
    int count = 0;
    for (POSITION pos = set.GetHeadPosition(); pos;)
        count += GetConnectedItems(set.Next(pos), out);
    return count;
}

bool IODescList::ExchangeListItems(groupID g, int mask, IODescList& side)
{
    CObList members;
    GetGroupMembers(g, members, mask);
    if (members.GetCount() != side.GetCount())
        return false;
    std::vector<CObject*> incoming;
    for (POSITION pos = side.GetHeadPosition(); pos;)
        incoming.push_back(side.GetNext(pos));
    CObList outgoing;
    size_t k = 0;
    for (POSITION pos = members.GetHeadPosition(); pos; ++k) {
        CObject* m = members.GetNext(pos);
        CObject* s = incoming[k];
        side.Remove(s);
        // The incoming node takes the outgoing one's place, in the list and in
        // every destination's numbering, so each value keeps its meaning.
        POSITION at = CObList::Find(m);
        InsertBefore(at, s);
        RemoveAt(at);
        auto* in = static_cast<IODesc*>(s);
        auto* out = static_cast<IODesc*>(m);
        in->placeGroup = out->placeGroup;
        out->placeGroup = out->Group();
        // Destinations keep sources they show no line for (while an option
        // takes their lines away); those follow the exchange as lines do.
        for (POSITION d = GetHeadPosition(); d;) {
            IODesc* n = Next(d);
            if (n->source == out)
                n->source = in;
        }
        outgoing.AddTail(m);
    }
    side.RemoveAll();
    side.AddTail(outgoing);
    return true;
}
