#include "IODesc.h"

#include "CFile.h"
#include "CString.h"
#include "IODescList.h"
#include "PresetLines.h"
#include "RepaintHook.h"

#include <cmath>
#include <utility>

IODesc::IODesc(
    int index_, const io_entry* entry_, const CRect& rect_, IODescList* list_, int stride)
    : gainKey(nodeGainKey(entry_, index_))
    , key(nodeKey(entry_, index_, stride))
    , index(index_)
    , rect(rect_)
    , baseRect(rect_)
    , entry(entry_)
    , list(list_)
    , placeGroup(entry_->group)
{
}

IODesc::~IODesc() = default;

CString IODesc::GetText() const
{
    CString s;
    s.Format("%s %d", entry->label ? entry->label : "", index);
    return s;
}

bool IODesc::Connects(const IODesc* dest) const
{
    if (!dest || !IsOutput() || !dest->IsActiveInput())
        return false;
    if (dest->GroupIndex(this) < 0)
        return false;
    return entry->indexOffset == -1 || index + entry->indexOffset == dest->index;
}

bool IODesc::ConnectsTo(const IODesc* other) const
{
    if (!other)
        return false;
    return Connects(other) || other->Connects(this);
}

int IODesc::GroupIndex(const IODesc* src) const
{
    if (!src)
        return -1;
    for (int i = 0; i < sourceListLength && entry->sources[i] >= 0; ++i)
        if (entry->sources[i] == src->entry->group)
            return i;
    return -1;
}

int IODesc::PlaceIndex(const IODesc* src) const
{
    if (!src)
        return -1;
    for (int i = 0; i < sourceListLength && entry->sources[i] >= 0; ++i)
        if (entry->sources[i] == src->placeGroup)
            return i;
    return GroupIndex(src);
}

void IODesc::PossibleSources(std::vector<IODesc*>& out) const
{
    out.clear();
    if (!IsActiveInput() || !list)
        return;
    // Each legal source goes before the first node already taken whose place
    // comes later in this node's source list: a stable ordering by the
    // position of the group whose place a node holds, list order within it.
    // Positions are 0..11, so the nodes are dealt into one bucket per
    // position and read back in order.
    int counts[sourceListLength] = {};
    for (POSITION pos = list->GetHeadPosition(); pos;) {
        IODesc* s = static_cast<IODesc*>(list->GetNext(pos));
        if (s->Connects(this)) {
            ++counts[PlaceIndex(s)];
            out.push_back(s);
        }
    }
    int start[sourceListLength];
    for (int r = 0, at = 0; r < sourceListLength; ++r) {
        start[r] = at;
        at += counts[r];
    }
    std::vector<IODesc*> taken(out.size());
    for (IODesc* s : out)
        taken[start[PlaceIndex(s)]++] = s;
    out.swap(taken);
}

void IODesc::GetPossibleSourceList(IODescList& out) const
{
    std::vector<IODesc*> sources;
    PossibleSources(sources);
    for (IODesc* s : sources)
        out.AddTail(s);
}

IODesc* IODesc::ConnectionFromIndex(int i) const
{
    std::vector<IODesc*> sources;
    PossibleSources(sources);
    if (i < 0 || i >= static_cast<int>(sources.size()))
        return nullptr;
    return sources[i];
}

int IODesc::IoValue(const IODesc* src) const
{
    if (!src)
        return noValue;
    std::vector<IODesc*> sources;
    PossibleSources(sources);
    for (size_t i = 0; i < sources.size(); ++i)
        if (sources[i] == src)
            return static_cast<int>(i);
    return noValue;
}

IODesc* IODesc::MakeConnection(IODesc* src)
{
    IODesc* old = source;
    source = src;
    value = IoValue(src);
    return old;
}

void IODesc::RemoveSource(const IODesc* src)
{
    if (source == src) {
        source = nullptr;
        value = noValue;
    }
}

bool IODesc::InputChanged(int& v)
{
    v = value;
    if (value == lastValue)
        return false;
    int previous = std::exchange(lastValue, value);
    // The first value (normally read from the device) is recorded, not reported.
    return previous != neverReported;
}

int IODesc::ConNum() const
{
    return entry->indexOffset != -1 ? index + entry->indexOffset : index;
}

int IODesc::SetGain(double dB)
{
    int adjustments = 0;
    double v = dB;
    // "nan" typed into the gain box reads as NaN; like text without a number it means 0 dB.
    if (std::isnan(v)) {
        v = 0.0;
        ++adjustments;
    }
    if (v > gainMax) {
        v = gainMax;
        ++adjustments;
    }
    if (v < gainMin) {
        v = gainMin;
        ++adjustments;
    }
    // A zero step would make every remainder NaN: such a node is not rounded.
    double step = std::fabs(gainStep);
    if (step > 0.0) {
        double r = std::fmod(v, step); // carries the sign of v
        if (r != 0.0) {
            ++adjustments;
            // Exact halves go toward zero; the rest to the nearer multiple.
            if (std::fabs(r) <= step / 2)
                v -= r;
            else
                v = v - r + (v < 0 ? -step : step);
            // Rounding a value at a limit that is no multiple of the step (or a
            // binary remainder of a limit that is one) must not leave the range.
            if (v > gainMax)
                v = gainMax;
            if (v < gainMin)
                v = gainMin;
        }
    }
    gain = v;
    return adjustments;
}

void IODesc::Invalidate(CWnd* wnd, IODesc* current, int grow)
{
    // A node that was highlighted for the previous current node is repainted
    // once more so that its highlight goes away; others are left alone.
    if (this == current || ConnectsTo(current)) {
        highlighted = 1;
    } else {
        if (!highlighted)
            return;
        highlighted = 0;
    }
    CRect r = rect;
    r.InflateRect(grow, grow);
    RepaintRect(wnd, r, true);
}

BOOL IODesc::Save(CFile& f) const
{
    std::string lines;
    appendPresetNode(lines, *this, gain, value);
    const int n = static_cast<int>(lines.size());
    return f.Write(lines.data(), n) == n;
}
