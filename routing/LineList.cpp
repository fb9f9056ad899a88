#include "LineList.h"

#include "IODesc.h"
#include "IODescList.h"

#include <vector>

LineList::~LineList() = default;

Line* LineList::GetLine(const IODesc* dest, const IODesc* source) const
{
    for (POSITION pos = GetHeadPosition(); pos;) {
        Line* l = Next(pos);
        if (l->dest == dest && l->source == source)
            return l;
    }
    return nullptr;
}

Line* LineList::GetClosest(CPoint p, double threshold) const
{
    double best = 999999.0;
    Line* closest = nullptr;
    for (POSITION pos = GetHeadPosition(); pos;) {
        Line* l = Next(pos);
        double d = l->FromPoint(p);
        // Strictly smaller: the first of equally near lines wins.
        if (!closest || d < best) {
            best = d;
            closest = l;
        }
    }
    return best < threshold ? closest : nullptr;
}

void LineList::DeleteLine(CWnd* wnd, const IODesc* dest, const IODesc* source)
{
    Line* l = GetLine(dest, source);
    if (!l)
        return;
    l->Invalidate(wnd);
    Remove(l);
    delete l;
}

void LineList::DeleteLines(const LineList& set, CWnd* wnd)
{
    // Copied first: set may be this list itself, and the membership test below
    // only compares addresses, so lines already deleted are never touched.
    std::vector<CObject*> doomed;
    for (POSITION pos = set.GetHeadPosition(); pos;)
        doomed.push_back(set.GetNext(pos));
    for (CObject* o : doomed) {
        POSITION at = CObList::Find(o);
        if (!at)
            continue;
        RemoveAt(at);
        Line* l = static_cast<Line*>(o);
        l->Invalidate(wnd);
        delete l;
    }
}

int LineList::SelectLines(const IODesc* n, LineList& out) const
{
    int count = 0;
    for (POSITION pos = GetHeadPosition(); pos;) {
        Line* l = Next(pos);
        if (l->Connects(n)) {
            out.AddTail(l);
            ++count;
        }
    }
    return count;
}

int LineList::SelectLines(const IODescList& nodes, LineList& out) const
{
    int count = 0;
    for (POSITION pos = nodes.GetHeadPosition(); pos;)
        count += SelectLines(nodes.Next(pos), out);
    return count;
}

int LineList::SelectLines(const io_entry* e, LineList& out, int n) const
{
    int count = 0;
    for (POSITION pos = GetHeadPosition(); pos;) {
        Line* l = Next(pos);
        if ((l->dest->entry == e && l->dest->ConNum() >= n)
            || (l->source->entry == e && l->source->ConNum() >= n)) {
            out.AddTail(l);
            ++count;
        }
    }
    return count;
}

int LineList::SelectLines(const CRect& r, CObList& out) const
{
    int count = 0;
    for (POSITION pos = GetHeadPosition(); pos;) {
        Line* l = Next(pos);
        if (r.PtInRect(l->source->rect.CenterPoint()) && r.PtInRect(l->dest->rect.CenterPoint())) {
            out.AddTail(l);
            ++count;
        }
    }
    return count;
}

void LineList::ExchangeListItems(const IODescList& outgoing, const IODescList& incoming, CWnd* wnd)
{
    for (POSITION pos = GetHeadPosition(); pos;) {
        Line* l = Next(pos);
        POSITION po = outgoing.GetHeadPosition(), pi = incoming.GetHeadPosition();
        while (po && pi) {
            IODesc* o = outgoing.Next(po);
            IODesc* in = incoming.Next(pi);
            IODesc** end;
            IODesc* other;
            if (l->dest == o) {
                end = &l->dest;
                other = l->source;
            } else if (l->source == o) {
                end = &l->source;
                other = l->dest;
            } else {
                continue;
            }
            // The destination fed by the outgoing node now takes the incoming
            // one; its value stays, since the newcomer holds the same place
            // in its possible-source list.
            if (other->source)
                other->source = in;
            l->Invalidate(wnd);
            *end = in;
            l->Invalidate(wnd);
            // One move per line: an incoming node that is also outgoing later
            // in the pairs must not carry the line on a second time.
            break;
        }
    }
}

void LineList::Invalidate(CWnd* wnd) const
{
    for (POSITION pos = GetHeadPosition(); pos;)
        Next(pos)->Invalidate(wnd);
}
