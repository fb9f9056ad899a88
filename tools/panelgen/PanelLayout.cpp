#include "PanelLayout.h"

#include <algorithm>

namespace panelgen {
namespace {

// Page blocks, left to right; the two DSP sections share one column.
struct BlockPlace {
    const char* title;
    int column;
};
const BlockPlace kBlocks[] = {
    { "INPUTS", 0 },
    { "MAIN IN", 1 },
    { "DSP A", 2 },
    { "DSP B", 2 },
    { "MAIN OUT", 3 },
    { "OUTPUTS", 4 },
};
constexpr int kBlockCount = sizeof(kBlocks) / sizeof(kBlocks[0]);
constexpr int kColumnCount = 5;

// Block of every groupID (0 .. 26): physical inputs, the main input pair,
// the DSP sections, the main output rows and the physical outputs.
const int kBlockOfGroup[] = {
    0, 0, 0, 0, 0, 0, 0, 0, // AES10in .. ADATin
    1, 1, // MAINinL, MAINinR
    2, 3, 2, 3, // DSPAin, DSPBin, DSPAout, DSPBout
    4, 4, 4, // MAINoutLa, MAINoutLb, MAINoutR
    5, 5, 5, 5, 5, 5, 5, 5, // ANAout .. SPDIFcout1
    0, // SPDIFcin2
    5, // SPDIFcout2
};
constexpr int kGroupCount = sizeof(kBlockOfGroup) / sizeof(kBlockOfGroup[0]);

// Page geometry, in picture pixels.
constexpr int kMargin = 16;
constexpr int kTitleBand = 44;
constexpr int kLegendBand = 34;
constexpr int kFrameWidth = 184;
constexpr int kFrameHeight = 52;
constexpr int kOptionRow = 22;
constexpr int kLedSize = 10;
constexpr int kLedPitch = 20;
constexpr int kLedLeft = 12;
constexpr int kLedTop = 22;
constexpr int kBlockPad = 8;
constexpr int kBlockTitle = 24;
constexpr int kGroupGap = 8;
constexpr int kFlowGap = 18; // between a block's destination and source rows
constexpr int kBlockGap = 18;
constexpr int kColumnGap = 40;
constexpr int kButtonWidth = 66;
constexpr int kButtonHeight = 16;

int blockOf(int group)
{
    return group >= 0 && group < kGroupCount ? kBlockOfGroup[group] : kBlockCount - 1;
}

bool hasOption(const PanelModel& model, int group)
{
    for (const OptionRow& o : model.options)
        if (o.home == group)
            return true;
    return false;
}

} // namespace

NodeKind kindOf(const GroupRow& row)
{
    if (row.inputs < 0)
        return NodeKind::source;
    if (row.inputs > 0)
        return NodeKind::destination;
    return NodeKind::fixed;
}

PanelLayout layOut(const PanelModel& model)
{
    PanelLayout page;
    page.title = model.name + " Routing";

    // Rows of each block in io-table order, and each block's height.
    std::vector<std::vector<int>> rowsOf(kBlockCount);
    for (int r = 0; r < int(model.rows.size()); ++r)
        rowsOf[blockOf(model.rows[r].group)].push_back(r);

    auto frameHeight = [&](int r) {
        return kFrameHeight + (hasOption(model, model.rows[r].group) ? kOptionRow : 0);
    };
    std::vector<int> blockHeight(kBlockCount, 0);
    for (int b = 0; b < kBlockCount; ++b) {
        int h = kBlockTitle + kBlockPad;
        const auto& rows = rowsOf[b];
        for (size_t i = 0; i < rows.size(); ++i) {
            if (i > 0) {
                // A wider gap where the block's destinations hand over to its
                // sources, so a flow arrow fits there.
                bool turn = b != 0 && b != kBlockCount - 1
                    && kindOf(model.rows[rows[i - 1]]) != kindOf(model.rows[rows[i]]);
                h += turn ? kFlowGap : kGroupGap;
            }
            h += frameHeight(rows[i]);
        }
        blockHeight[b] = h + kBlockPad;
    }

    std::vector<int> columnHeight(kColumnCount, 0);
    for (int b = 0; b < kBlockCount; ++b) {
        if (rowsOf[b].empty())
            continue;
        int& c = columnHeight[kBlocks[b].column];
        c += (c ? kBlockGap : 0) + blockHeight[b];
    }
    int body = *std::max_element(columnHeight.begin(), columnHeight.end());
    const int columnWidth = kFrameWidth + 2 * kBlockPad;
    page.width = 2 * kMargin + kColumnCount * columnWidth + (kColumnCount - 1) * kColumnGap;
    page.height = kTitleBand + body + kLegendBand + kMargin;

    page.groups.resize(model.rows.size());
    std::vector<int> columnY(kColumnCount, 0);
    for (int c = 0; c < kColumnCount; ++c)
        columnY[c] = kTitleBand + (body - columnHeight[c]) / 2;

    std::vector<Box> blockBox(kBlockCount);
    for (int b = 0; b < kBlockCount; ++b) {
        if (rowsOf[b].empty())
            continue;
        int c = kBlocks[b].column;
        int x = kMargin + c * (columnWidth + kColumnGap);
        Box box { x, columnY[c], x + columnWidth, columnY[c] + blockHeight[b] };
        columnY[c] = box.bottom + kBlockGap;
        blockBox[b] = box;
        page.blocks.push_back({ box, kBlocks[b].title });

        int y = box.top + kBlockTitle + kBlockPad;
        const auto& rows = rowsOf[b];
        for (size_t i = 0; i < rows.size(); ++i) {
            const GroupRow& row = model.rows[rows[i]];
            if (i > 0) {
                bool turn = b != 0 && b != kBlockCount - 1
                    && kindOf(model.rows[rows[i - 1]]) != kindOf(row);
                if (turn) {
                    int ax = box.left + columnWidth / 2;
                    page.arrows.push_back({ ax, y + 2, ax, y + kFlowGap - 2 });
                }
                y += turn ? kFlowGap : kGroupGap;
            }
            GroupFrame& g = page.groups[rows[i]];
            g.label = row.label;
            g.kind = kindOf(row);
            g.frame = { box.left + kBlockPad, y, box.left + kBlockPad + kFrameWidth,
                y + frameHeight(rows[i]) };
            for (int n = 0; n < row.count; ++n) {
                int lx = g.frame.left + kLedLeft + n * kLedPitch;
                int ly = g.frame.top + kLedTop;
                g.leds.push_back({ lx, ly, lx + kLedSize, ly + kLedSize });
            }
            y = g.frame.bottom;
        }
    }

    // Flow arrows between neighbouring columns, one at the middle of every
    // block they lead into (left to right) or out of.
    auto arrowInto = [&](int from, int to) {
        if (rowsOf[from].empty() || rowsOf[to].empty())
            return;
        const Box& a = blockBox[from];
        const Box& t = blockBox[to];
        int y = (t.top + t.bottom) / 2;
        if (kBlocks[to].column == 3) // main out: arrows level with each DSP section
            y = (a.top + a.bottom) / 2;
        page.arrows.push_back({ a.right + 6, y, t.left - 6, y });
    };
    arrowInto(0, 1);
    arrowInto(1, 2);
    arrowInto(1, 3);
    arrowInto(2, 4);
    arrowInto(3, 4);
    arrowInto(4, 5);

    // Each option button sits in a row of its own below the nodes of the
    // group it switches.
    for (const OptionRow& o : model.options) {
        OptionMark m;
        const GroupFrame* home = nullptr;
        for (size_t r = 0; r < model.rows.size(); ++r)
            if (model.rows[r].group == o.home)
                home = &page.groups[r];
        if (!home && !page.groups.empty())
            home = &page.groups.back();
        if (home) {
            int y = home->frame.bottom - kOptionRow + 1;
            int bx = home->frame.right - 10 - kButtonWidth;
            m.button = { bx, y, bx + kButtonWidth, y + kButtonHeight };
            m.caption = { home->frame.left + kLedLeft, y, bx - 6, y + kButtonHeight };
        }
        page.options.push_back(m);
    }

    page.legend = { kMargin, page.height - kMargin - kLegendBand + 10, page.width - kMargin,
        page.height - kMargin };
    return page;
}

} // namespace panelgen
