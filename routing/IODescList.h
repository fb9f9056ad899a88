// A list of nodes that does not own them: the page's active list, the side
// lists of the port options, selections and query results.
#pragma once

#include "GroupID.h"
#include "IODesc.h"
#include "NObList.h"

class IODescList : public NObList {
public:
    explicit IODescList(const char* name = nullptr)
        : NObList(name)
    {
    }
    ~IODescList() override;

    // True when n is not null, not disabled and in the list.
    bool Find(const IODesc* n) const;
    // First node whose rect contains p, or null.
    IODesc* Select(CPoint p) const;
    // Appends the members of g chosen by mask: bit n chooses the n-th member.
    void GetGroupMembers(groupID g, CObList& out, int mask) const;
    // Node i, null out of range.
    IODesc* operator[](int i) const { return static_cast<IODesc*>(NObList::operator[](i)); }
    // Position of n, -1 when absent.
    int GetIndex(const IODesc* n) const;
    void ResetInputs();
    // Appends every node that ConnectsTo n; returns how many.
    int GetConnectionList(const IODesc* n, CObList& out) const;
    // For each node of this list that set.Find accepts, appends its partners.
    int GetConnectionList(const IODescList& set, CObList& out) const;
    // Appends every destination whose source is src; returns how many.
    int GetConnectedItems(const IODesc* src, CObList& out) const;
    int GetConnectedItems(const IODescList& set, CObList& out) const;
    // Swaps the members of g chosen by mask with the nodes of side, pair by
    // pair in place; side then holds the nodes that left. Nothing happens when
    // the counts differ. Returns whether the exchange took place.
    bool ExchangeListItems(groupID g, int mask, IODescList& side);

    // Type-safe walk.
    IODesc* Next(POSITION& pos) const { return static_cast<IODesc*>(GetNext(pos)); }
};

// Side list k holds the nodes that port option row k keeps off the page.
extern IODescList comboDescList[comboSideListCount];
