#pragma once
// Geometry of one model's routing page: where every group frame, node mark
// and option button sits. Pure arithmetic, so the painter and the
// description writer agree on every pixel.

#include <string>
#include <vector>

namespace panelgen {

// A rectangle in picture pixels, right and bottom exclusive.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// What a group's nodes do, which decides the frame's colour.
enum class NodeKind { source, destination, fixed };

// One row of a model's io table, as far as the picture needs it.
struct GroupRow {
    int group = -1; // the row's groupID
    int count = 0;
    int inputs = 0; // -1 source, > 0 destination, 0 fixed
    std::string label;
};

// One row of a model's option table.
struct OptionRow {
    int group = -1; // group the option brings onto the page, -1 none
    int home = -1; // group whose frame carries the button
};

struct PanelModel {
    std::string name;
    std::vector<GroupRow> rows;
    std::vector<OptionRow> options;
};

struct GroupFrame {
    Box frame;
    std::string label;
    NodeKind kind = NodeKind::fixed;
    std::vector<Box> leds; // one per node, index order
};

struct BlockFrame {
    Box frame;
    std::string title;
};

struct OptionMark {
    Box button;
    Box caption; // where "in use:" is written
};

// Arrow from (x1, y) to (x2, y), drawn in the gap between two columns, or a
// short downward arrow inside a block when x1 == x2 (then y .. y2).
struct Arrow {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct PanelLayout {
    int width = 0;
    int height = 0;
    std::string title;
    std::vector<BlockFrame> blocks;
    std::vector<GroupFrame> groups; // io-table order
    std::vector<OptionMark> options; // option-table order
    std::vector<Arrow> arrows;
    Box legend;
};

// Lays the page out in five columns (inputs, main in, the two DSP sections
// one above the other, main out, outputs) so that signals flow left to right.
PanelLayout layOut(const PanelModel& model);

NodeKind kindOf(const GroupRow& row);

} // namespace panelgen
