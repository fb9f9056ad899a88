// The panel description reader and the editor's placement of its regions, fed
// arbitrary description files.
//
// Input: a byte choosing the scale the host answers the OUTLINE record with,
// two bytes of picture origin, then the file's text.
//
// Besides what the sanitizers catch, each run checks that the region lists
// hold exactly the counted records, that every node square is a square one
// pixel larger than its region's larger side (unless a coordinate had to be
// clamped at the int range), and that loading the same file again gives the
// same regions.
#include "FuzzSupport.h"

#include "LedDescriptor.h"
#include "PanelHost.h"
#include "RoutingEmfDesc.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {

class FakeHost : public PanelHost {
public:
    CPoint PictureOrigin() const override { return origin; }
    double EmfOutline(const CRect*) override
    {
        ++outlines;
        return scale;
    }
    CPoint origin;
    double scale = 1.0;
    int outlines = 0;
};

// Factors a host may answer with, including those of a degenerate outline.
const double kScales[] = { 0.0, 0.5, 1.0, 2.0, 1.0 / 3.0, 0.001, 1e9, -1.0,
    std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN() };

bool clamped(const CRect& r)
{
    const int lo = std::numeric_limits<int>::min();
    const int hi = std::numeric_limits<int>::max();
    return r.left == lo || r.left == hi || r.top == lo || r.top == hi || r.right == lo
        || r.right == hi || r.bottom == lo || r.bottom == hi;
}

std::vector<CRect> rectsOf(const CObList& list)
{
    std::vector<CRect> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(static_cast<const LedDescriptor*>(list.GetNext(pos))->rect);
    return out;
}

bool sameRects(const std::vector<CRect>& a, const std::vector<CRect>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].left != b[i].left || a[i].top != b[i].top || a[i].right != b[i].right
            || a[i].bottom != b[i].bottom)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::quietStartUp();
    if (size < 3)
        return 0;
    FakeHost host;
    host.scale = kScales[data[0] % (sizeof kScales / sizeof kScales[0])];
    host.origin
        = CPoint(static_cast<std::int8_t>(data[1]) * 1000, static_cast<std::int8_t>(data[2]));
    const std::string path = fuzz::scratchPath("panel.txt");
    FUZZ_CHECK(fuzz::writeFile(path, data + 3, size - 3), "cannot write the scratch file");

    RoutingEmfDesc desc;
    PanelHost* context = &host;
    const int boxes = fuzz::messageBoxCount();
    FUZZ_CHECK(desc.Load(path.c_str(), context) == TRUE, "an existing file did not load");
    FUZZ_CHECK(fuzz::messageBoxCount() == boxes, "a readable file raised a message box");

    const std::vector<CRect> leds = rectsOf(desc.GetLedList());
    const std::vector<CRect> buttons = rectsOf(desc.GetButtonList());
    FUZZ_CHECK(int(leds.size()) == desc.GetLedCount(), "LED list and count differ");
    FUZZ_CHECK(int(buttons.size()) == desc.GetButtonCount(), "button list and count differ");
    FUZZ_CHECK(desc.GetLargestLedSize() >= 0 || leds.empty(), "negative largest LED size");
    FUZZ_CHECK(desc.GetLed(int(leds.size())) == nullptr && desc.GetLed(-1) == nullptr,
        "region past the list");
    for (const CRect& r : leds) {
        if (clamped(r))
            continue;
        const long long w = (long long)r.right - r.left;
        const long long h = (long long)r.bottom - r.top;
        FUZZ_CHECK(w == h, "node square is not square");
        FUZZ_CHECK(w % 2 == 0, "node square has an odd side");
    }
    FUZZ_CHECK(std::isfinite(desc.GetScale()), "non-finite scale kept");

    // A second load starts from empty lists and reads the same.
    FUZZ_CHECK(desc.Load(path.c_str(), context) == TRUE, "second load failed");
    FUZZ_CHECK(sameRects(leds, rectsOf(desc.GetLedList())), "LED regions differ on reload");
    FUZZ_CHECK(sameRects(buttons, rectsOf(desc.GetButtonList())), "buttons differ on reload");
    return 0;
}
