// One port of the routing page: a source, a selectable destination or a fixed
// node, made from one row of the current model's io table.
#pragma once

#include "CObject.h"
#include "Geometry.h"
#include "ModelTables.h"

#include <vector>

class CFile;
class CWnd;
class IODescList;

class IODesc : public CObject {
public:
    // key and gainKey follow the row's key rules with the given stride.
    IODesc(int index, const io_entry* entry, const CRect& rect, IODescList* list, int stride);
    ~IODesc() override;
    IODesc(const IODesc&) = delete;
    IODesc& operator=(const IODesc&) = delete;

    // "SPDIFin 1" and the like: the row's label and the node's index.
    CString GetText() const override;

    bool IsOutput() const { return entry->inputs == -1; }
    bool IsActiveInput() const { return entry->inputs > 0; }
    groupID Group() const { return entry->group; }

    // True when this node may feed dest.
    bool Connects(const IODesc* dest) const;
    // True when either node may feed the other; false for null.
    bool ConnectsTo(const IODesc* other) const;
    // Position of src's group in this node's source list, -1 when absent.
    int GroupIndex(const IODesc* src) const;
    // Position that orders src in this node's source list: that of the group
    // whose place src holds (see placeGroup), else its own group's.
    int PlaceIndex(const IODesc* src) const;

    // Appends the legal sources of this destination in the device's numbering.
    void GetPossibleSourceList(IODescList& out) const;
    // The same list into a plain array (cleared first); the mouse path uses this.
    void PossibleSources(std::vector<IODesc*>& out) const;
    // Node at position i of the possible-source list, null outside it (99 included).
    IODesc* ConnectionFromIndex(int i) const;
    // Position of src in the possible-source list; 99 for null or absent.
    int IoValue(const IODesc* src) const;

    // Takes src (may be null) as source without checking legality; returns the old source.
    IODesc* MakeConnection(IODesc* src);
    void RemoveSource(const IODesc* src);
    void ResetInputs() { source = nullptr; }
    // v = value; true when value moved since the last report, except for the first one.
    bool InputChanged(int& v);
    int ConNum() const;
    // Limits and rounds dB to the node's range and step; returns the number of adjustments.
    int SetGain(double dB);

    // Repaint bookkeeping for a change of the current node (see the .cpp).
    void Invalidate(CWnd* wnd, IODesc* current, int grow);
    // Writes the node's preset lines; FALSE when the file refused them.
    BOOL Save(CFile& f) const;

    static constexpr int noValue = 99; // value of a destination without source
    static constexpr int neverReported = 101; // lastValue before the first InputChanged

    double gain = 0.0;
    BYTE disabled = 0;
    BYTE highlighted = 0;
    double gainStep = 0.1;
    double gainMin = -100.0;
    double gainMax = 0.0;
    long gainKey = 0;
    long key = 0;
    int index = 0;
    CRect rect;
    CRect baseRect;
    const io_entry* entry = nullptr;
    IODescList* list = nullptr;
    IODesc* source = nullptr;
    int value = noValue;
    int lastValue = neverReported;
    // The group whose place the node holds in source lists: its own, or, while
    // a port option has swapped it onto the page, the group of the node it
    // replaced. The device keeps a destination's value through an option
    // switch, so the node brought in must take the replaced node's number.
    groupID placeGroup = noGroup;
};
