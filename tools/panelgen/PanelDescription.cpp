#include "PanelDescription.h"

#include <cstdio>
#include <fstream>

namespace panelgen {
namespace {

void record(std::string& out, const char* keyword, const Box& b)
{
    char line[96];
    std::snprintf(line, sizeof line, "%s %d,%d,%d,%d\n", keyword, b.left, b.top, b.right, b.bottom);
    out += line;
}

bool inside(const Box& b, const PanelLayout& page)
{
    return b.left >= 0 && b.top >= 0 && b.right <= page.width && b.bottom <= page.height
        && b.width() > 0 && b.height() > 0;
}

bool overlap(const Box& a, const Box& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

std::string describe(const PanelLayout& page)
{
    std::string out;
    // The editor maps description coordinates onto the picture by comparing
    // this outline with the picture's own (0, 0, width-1, height-1); giving
    // exactly that keeps the mapping at 1:1.
    record(out, "OUTLINE", { 0, 0, page.width - 1, page.height - 1 });
    for (const GroupFrame& g : page.groups)
        for (const Box& led : g.leds)
            record(out, "LED", led);
    for (const OptionMark& o : page.options)
        record(out, "BUTTON", o.button);
    return out;
}

bool writeDescription(const PanelLayout& page, const std::string& path)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f)
        return false;
    f << describe(page);
    return bool(f.flush());
}

std::string checkPage(const PanelModel& model, const PanelLayout& page)
{
    if (page.groups.size() != model.rows.size())
        return "one frame per io row expected";
    std::vector<Box> marks;
    for (size_t r = 0; r < model.rows.size(); ++r) {
        const GroupFrame& g = page.groups[r];
        if (int(g.leds.size()) != model.rows[r].count)
            return "row " + model.rows[r].label + " has the wrong number of node marks";
        if (!inside(g.frame, page))
            return "frame " + g.label + " leaves the picture";
        for (const Box& led : g.leds) {
            if (!inside(led, page))
                return "a node mark of " + g.label + " leaves the picture";
            marks.push_back(led);
        }
    }
    if (page.options.size() != model.options.size())
        return "one button per option row expected";
    for (const OptionMark& o : page.options) {
        if (!inside(o.button, page))
            return "an option button leaves the picture";
        marks.push_back(o.button);
    }
    for (size_t i = 0; i < marks.size(); ++i)
        for (size_t j = i + 1; j < marks.size(); ++j)
            if (overlap(marks[i], marks[j]))
                return "two marks overlap";
    return {};
}

} // namespace panelgen
