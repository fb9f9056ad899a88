// Test page: every node of one model built and filed the way the editor
// builds its page, each on its own square of a grid.
#pragma once

#include "IODescList.h"
#include "ModelTables.h"
#include "NodePlacement.h"

#include <memory>
#include <vector>

struct RoutingPage {
    explicit RoutingPage(int model)
        : savedTablenum(tablenum)
    {
        tablenum = model;
        const model_entry& m = main_table[model];
        for (int r = 0; r < m.ioRows; ++r) {
            const io_entry* e = &m.ioTable[r];
            for (int i = 0; i < e->count; ++i) {
                CRect rect(40 * r, 20 * i, 40 * r + 10, 20 * i + 10);
                nodes.push_back(std::make_unique<IODesc>(i, e, rect, &active, rowStride(e)));
                PlaceNode(nodes.back().get(), active, sides);
            }
        }
    }
    ~RoutingPage() { tablenum = savedTablenum; }

    IODesc* node(groupID g, int index) const
    {
        for (auto& n : nodes)
            if (n->Group() == g && n->index == index)
                return n.get();
        return nullptr;
    }

    std::vector<IODesc*> destinations() const
    {
        std::vector<IODesc*> out;
        for (auto& n : nodes)
            if (n->IsActiveInput())
                out.push_back(n.get());
        return out;
    }

    int savedTablenum;
    std::vector<std::unique_ptr<IODesc>> nodes;
    IODescList active;
    IODescList sides[comboSideListCount];
};
