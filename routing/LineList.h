// A list of connection lines with hit testing, selection and deletion. The
// editor's list of all lines owns its lines (the deleting calls below delete
// them); every other LineList only refers to lines of that list.
#pragma once

#include "Line.h"
#include "NObList.h"

class CWnd;
class IODesc;
class IODescList;
struct io_entry;

class LineList : public NObList {
public:
    explicit LineList(const char* name = nullptr)
        : NObList(name)
    {
    }
    ~LineList() override;

    // The first line from source to dest, or null.
    Line* GetLine(const IODesc* dest, const IODesc* source) const;
    // The nearest line to p, or null when even that one is not closer than threshold.
    Line* GetClosest(CPoint p, double threshold) const;
    // Repaints, removes and deletes the line from source to dest, if there is one.
    void DeleteLine(CWnd* wnd, const IODesc* dest, const IODesc* source);
    // Removes, repaints and deletes every line of set that is still in this
    // list; a line named twice, or no longer here, is skipped.
    void DeleteLines(const LineList& set, CWnd* wnd);
    // Appends every line touching n; returns how many.
    int SelectLines(const IODesc* n, LineList& out) const;
    // The same for each node in turn (a line touching two of them comes twice).
    int SelectLines(const IODescList& nodes, LineList& out) const;
    // Lines whose destination comes from row e with a connection number of at
    // least n, or else whose source does; returns how many.
    int SelectLines(const io_entry* e, LineList& out, int n) const;
    // Lines both of whose end points (node centres) lie in r; returns how many.
    int SelectLines(const CRect& r, CObList& out) const;
    // After a group exchange: moves line ends (and the sources of the
    // destinations they feed) from each outgoing node to its incoming partner.
    void ExchangeListItems(const IODescList& outgoing, const IODescList& incoming, CWnd* wnd);
    void Invalidate(CWnd* wnd) const;

    // Line i, null out of range.
    Line* operator[](int i) const { return static_cast<Line*>(NObList::operator[](i)); }
    Line* Next(POSITION& pos) const { return static_cast<Line*>(GetNext(pos)); }
};
