// Editing on the routing page: selecting nodes and lines, dragging connections,
// the rubber band, deleting lines, the context menu, the hover bubble and the
// building blocks of the port-option exchanges.
#include "CRoutingDlg.h"

#include "CMenu.h"
#include "ModelTables.h"

#include <algorithm>

namespace {

constexpr UINT flagLeft = 1;
constexpr UINT flagRight = 2;
constexpr UINT flagShift = 0x02000000;
constexpr UINT flagControl = 0x04000000;
constexpr UINT keyDelete = 0x01000007;
constexpr double lineHitThreshold = 5.0;

IODesc* nodeAt(const CObList& list, int i)
{
    POSITION pos = list.FindIndex(i);
    return pos ? static_cast<IODesc*>(list.GetAt(pos)) : nullptr;
}

// Position of n in list, -1 when absent.
int positionIn(const CObList& list, const IODesc* n)
{
    int i = 0;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        if (list.GetNext(pos) == n)
            return i;
        ++i;
    }
    return -1;
}

} // namespace

IODesc* CRoutingDlg::Select(CPoint p)
{
    return nodes.Select(p);
}

IODesc* CRoutingDlg::partnerAt(CPoint p)
{
    if (!selectedNode)
        return nullptr;
    IODesc* t = Select(p);
    return t && t != selectedNode && t->ConnectsTo(selectedNode) ? t : nullptr;
}

void CRoutingDlg::InvalidateSelection()
{
    for (POSITION pos = nodes.GetHeadPosition(); pos;)
        static_cast<IODesc*>(nodes.GetNext(pos))->Invalidate(this, selectedNode, 8);
    selectedLines.Invalidate(this);
}

Line* CRoutingDlg::PutLine(IODesc* dest, IODesc* src, bool fromDevice)
{
    if (dest->source == src)
        return nullptr;
    IODesc* old = dest->MakeConnection(src);
    if (old) {
        if (Line* l = lines.GetLine(dest, old))
            selectedLines.Remove(l);
        lines.DeleteLine(this, dest, old);
    }
    if (fromDevice) {
        int v = 0;
        dest->InputChanged(v);
    }
    if (!src)
        return nullptr;
    auto* line = new Line(src, dest);
    lines.AddTail(line);
    line->Invalidate(this);
    return line;
}

void CRoutingDlg::ConnectGroup(
    groupID destGroup, int destMask, groupID srcGroup, int srcMask, bool viaSource)
{
    CObList a, b;
    activeNodes.GetGroupMembers(destGroup, a, destMask);
    activeNodes.GetGroupMembers(srcGroup, b, srcMask);
    POSITION bpos = b.GetHeadPosition();
    for (POSITION apos = a.GetHeadPosition(); apos;) {
        auto* an = static_cast<IODesc*>(a.GetNext(apos));
        IODesc* bn = bpos ? static_cast<IODesc*>(b.GetNext(bpos)) : nullptr;
        if (viaSource) {
            // a mirrors the source of its partner b.
            if (!bn || !bn->source)
                continue;
            if (!lines.GetLine(an, bn->source)) {
                auto* line = new Line(bn->source, an);
                lines.AddTail(line);
                line->Invalidate(this);
            }
            an->MakeConnection(bn->source);
        } else {
            if (Line* line = an->source ? lines.GetLine(an, an->source) : nullptr) {
                line->Invalidate(this);
                if (!bn) {
                    selectedLines.Remove(line);
                    lines.Remove(line);
                    delete line;
                } else {
                    line->source = bn;
                    line->Invalidate(this);
                }
            }
            an->source = bn;
        }
    }
}

void CRoutingDlg::deleteGroupLines(groupID g)
{
    CObList members;
    activeNodes.GetGroupMembers(g, members, -1);
    LineList touching;
    for (POSITION pos = members.GetHeadPosition(); pos;) {
        auto* n = static_cast<IODesc*>(members.GetNext(pos));
        n->disabled = 1;
        lines.SelectLines(n, touching);
    }
    // The selection must not keep lines that are about to be deleted.
    for (POSITION pos = touching.GetHeadPosition(); pos;)
        selectedLines.Remove(touching.GetNext(pos));
    lines.DeleteLines(touching, this);
    touching.RemoveAll();
}

void CRoutingDlg::do_spdif_in_change(groupID g, int mask, int k)
{
    if (k < 0 || k >= comboSideListCount)
        return;
    IODescList& side = comboDescList[k];
    IODescList incoming;
    incoming.AddTail(&side);
    activeNodes.ExchangeListItems(g, mask, side);
    lines.ExchangeListItems(side, incoming, this);
    incoming.RemoveAll();
}

void CRoutingDlg::spdif_in_change(int sel, int old, groupID exch, groupID alt, groupID dis)
{
    const int k = ComboDescIndexFromGroup(alt);
    if (old != 0) {
        do_spdif_in_change(alt, 3, k);
        if (sel == 0) {
            // The group the option made unavailable comes back with its lines.
            CObList members;
            activeNodes.GetGroupMembers(dis, members, -1);
            for (POSITION pos = members.GetHeadPosition(); pos;) {
                auto* m = static_cast<IODesc*>(members.GetNext(pos));
                m->disabled = 0;
                CObList dests;
                activeNodes.GetConnectedItems(m, dests);
                for (POSITION d = dests.GetHeadPosition(); d;) {
                    auto* dest = static_cast<IODesc*>(dests.GetNext(d));
                    if (lines.GetLine(dest, m))
                        continue;
                    auto* line = new Line(m, dest);
                    lines.AddTail(line);
                    line->Invalidate(this);
                }
            }
            return;
        }
    }
    if (old == 0 && sel == 0)
        return;
    do_spdif_in_change(exch, 3 << (2 * sel - 2), k);
    if (old == 0)
        deleteGroupLines(dis);
}

void CRoutingDlg::OnLButtonDown(UINT flags, CPoint p)
{
    NewGesture();
    SetBubble(p, nullptr, 0);
    showRelations = true;
    IODesc* n = Select(p);
    Line* l = lines.GetClosest(p, lineHitThreshold);
    InvalidateSelection();
    selectedNode = n;
    if (n) {
        selectedLines.RemoveAll();
        lines.SelectLines(n, selectedLines);
    } else if (!l) {
        selectedLines.RemoveAll();
        bandRect.SetRect(p.x - 10, p.y - 10, p.x, p.y);
        if (bandTracker.Track(this, p, TRUE, nullptr)) {
            CRect r = bandTracker.m_rect;
            r.NormalizeRect();
            lines.SelectLines(r, selectedLines);
        }
        bandRect.SetRectEmpty();
        showRelations = false; // the tracker took the release
    } else if (flags & flagControl) {
        // The row of l's destination from its connection number on; no line twice.
        LineList row;
        lines.SelectLines(l->dest->entry, row, l->dest->ConNum());
        for (POSITION pos = row.GetHeadPosition(); pos;) {
            CObject* o = row.GetNext(pos);
            if (!selectedLines.Find(o))
                selectedLines.AddTail(o);
        }
        row.RemoveAll();
    } else {
        if (!(flags & flagShift))
            selectedLines.RemoveAll();
        if (selectedLines.Find(l))
            selectedLines.Remove(l);
        else
            selectedLines.AddTail(l);
    }
    InvalidateSelection();
    EnableSlider();
    SetFocus();
}

void CRoutingDlg::OnMouseMove(UINT flags, CPoint p)
{
    if (flags & flagLeft) {
        if (!selectedNode)
            return;
        IODesc* t = partnerAt(p);
        if (t == dropTarget)
            return;
        // Only the target left and the target reached change their look.
        for (IODesc* n : { dropTarget, t }) {
            if (!n)
                continue;
            CRect r = n->rect;
            r.InflateRect(8, 8);
            InvalidateRect(r, TRUE);
        }
        dropTarget = t;
        return;
    }
    if (flags & flagRight) {
        if (!gainDrag || !hoverNode || !hoverNode->gainKey || p == lastDragPoint)
            return;
        const double step = p.y > lastDragPoint.y ? -0.1 : 0.1;
        const PageValues before = CapturePage();
        hoverNode->SetGain(hoverNode->gain + step);
        SendGain(hoverNode);
        RecordEdit(before, gesture * 4 + 3);
        CString text;
        text.Format("%2.1f dB", hoverNode->gain);
        bubble.SetText(text);
        if (hoverNode == selectedNode)
            SetSlider(selectedNode);
        lastDragPoint = p;
        return;
    }
    hoverNode = Select(p);
    CString text;
    CPoint place = p;
    int size = 0;
    if (hoverNode) {
        if (hoverNode->gainKey)
            text.Format("%2.1f dB", hoverNode->gain);
        place = hoverNode->rect.CenterPoint();
        size = hoverNode->rect.Width() / 2;
    }
    SetBubble(place, text, size);
}

void CRoutingDlg::OnLButtonUp(UINT flags, CPoint p)
{
    showRelations = false;
    // Only the partner under the mouse now counts: one passed over on the way
    // (the drag may have come back to the pressed node) or left from an
    // earlier drag never connects.
    dropTarget = partnerAt(p);
    const bool connecting = dropTarget && selectedNode && activeNodes.Find(selectedNode)
        && activeNodes.Find(dropTarget);
    const PageValues before = connecting ? CapturePage() : PageValues();
    if (connecting) {
        SaveFirst();
        IODesc* dest = selectedNode->IsActiveInput() ? selectedNode : dropTarget;
        IODesc* src = selectedNode->IsOutput() ? selectedNode : dropTarget;
        CObList s, d;
        activeNodes.GetGroupMembers(static_cast<groupID>(src->entry->group), s, -1);
        activeNodes.GetGroupMembers(static_cast<groupID>(dest->entry->group), d, -1);
        InvalidateSelection();
        selectedLines.RemoveAll();
        // A run walks both groups from the pressed pair, by the pair's places in
        // the groups as they stand on the page (an option may have swapped some
        // members out, so a node's index is not always its place).
        int i = positionIn(s, src);
        int j = positionIn(d, dest);
        int n = 1;
        if (flags & flagControl)
            n = std::min(s.GetCount() - i, d.GetCount() - j);
        for (int k = 0; k < n && src && dest; ++k) {
            // Members at equal distance are normally legal partners; a pair that
            // is not ends the run instead of making a connection the device
            // cannot number.
            if (!src->Connects(dest))
                break;
            Line* line = PutLine(dest, src, false);
            if (!line)
                line = lines.GetLine(dest, src);
            if (line && !selectedLines.Find(line))
                selectedLines.AddTail(line);
            if (k + 1 < n) {
                src = nodeAt(s, ++i);
                dest = nodeAt(d, ++j);
            }
        }
        userPresets.SetWindowText("");
    }
    dropTarget = nullptr;
    InvalidateSelection();
    Scan();
    if (connecting)
        RecordEdit(before);
}

void CRoutingDlg::OnRButtonDown(UINT, CPoint p)
{
    // Over a node with a gain the right button drags its gain; elsewhere it
    // opens the command menu (a modal menu would swallow the drag).
    NewGesture();
    hoverNode = Select(p);
    if (hoverNode && hoverNode->gainKey) {
        gainDrag = true;
        lastDragPoint = p;
        return;
    }
    gainDrag = false;
    CMenu menu;
    menu.CreatePopupMenu();
    BuildMenu(&menu);
    if (menu.GetMenuItemCount() > 0) {
        CPoint screen = p;
        ClientToScreen(&screen);
        menu.TrackPopupMenu(0, screen.x, screen.y, this, nullptr);
    }
}

void CRoutingDlg::OnKeyDown(UINT key, UINT, UINT)
{
    KeyDown(static_cast<int>(key));
}

void CRoutingDlg::KeyDown(int key)
{
    if (static_cast<UINT>(key) == keyDelete)
        DeleteSelectedLines();
}

BOOL CRoutingDlg::OnSetCursor()
{
    // The tracker never claims the cursor, so the default arrow stays.
    return FALSE;
}

void CRoutingDlg::DeleteSelectedLines()
{
    const PageValues before = CapturePage();
    SaveFirst();
    while (!selectedLines.IsEmpty()) {
        auto* line = static_cast<Line*>(selectedLines.RemoveHead());
        // A line named twice in the selection is deleted once.
        if (!lines.Find(line))
            continue;
        lines.Remove(line);
        line->Invalidate(this);
        line->dest->RemoveSource(line->source);
        delete line;
    }
    Scan();
    RecordEdit(before);
}

void CRoutingDlg::DeleteAllLines()
{
    selectedLines.RemoveAll();
    while (!lines.IsEmpty()) {
        auto* line = static_cast<Line*>(lines.RemoveTail());
        if (GetWidget())
            line->Invalidate(this);
        delete line;
    }
}

void CRoutingDlg::DeleteAll()
{
    selectedNode = nullptr;
    // Nodes are deleted below: nothing may keep pointing at them.
    dropTarget = nullptr;
    hoverNode = nullptr;
    gainDrag = false;
    while (!setQueue.IsEmpty())
        delete static_cast<sendObj*>(setQueue.RemoveTail());
    DeleteAllLines();
    for (int k = 0; k < comboSideListCount; ++k)
        comboDescList[k].RemoveAll();
    activeNodes.RemoveAll();
    selectedLines.RemoveAll();
    nodes.DeleteAll();
    while (!optionCombos.IsEmpty())
        delete static_cast<RComboBox*>(optionCombos.RemoveTail());
    while (!optionButtons.IsEmpty())
        delete static_cast<CButton*>(optionButtons.RemoveTail());
}

void CRoutingDlg::SetBubble(CPoint p, const char* text, int size)
{
    bubble.Draw(p, text, size);
}
