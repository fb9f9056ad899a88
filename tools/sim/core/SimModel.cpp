#include "SimModel.h"

#include "IODesc.h"

#include <memory>
#include <strings.h>

namespace {

// Gain limits the device announces, by the group of the node that owns the gain.
struct GainRange {
    groupID group;
    double min;
    double max;
    double step;
};

constexpr GainRange kGainRanges[] = {
    { ANAin, -12.0, 12.0, 0.5 },
    { MAINinR, -100.0, 6.0, 0.1 },
    { DSPAin, -100.0, 0.0, 0.1 },
    { DSPBin, -100.0, 0.0, 0.1 },
    { DSPAout, -100.0, 0.0, 0.1 },
    { DSPBout, -100.0, 0.0, 0.1 },
    { MAINoutR, -100.0, 6.0, 0.1 },
    { ANAout, -24.0, 12.0, 0.5 },
};
constexpr GainRange kDefaultGainRange { noGroup, -100.0, 0.0, 0.1 };

const GainRange& gainRangeOf(groupID group)
{
    for (const GainRange& r : kGainRanges)
        if (r.group == group)
            return r;
    return kDefaultGainRange;
}

// True when a port option of the model brings this group onto the page, so
// that its nodes start off the page.
bool optionGroup(const model_entry& model, groupID group)
{
    for (const ComboDesc* c = model.comboDescs; c && c->texts; ++c)
        if (c->group == group && group != noGroup)
            return true;
    return false;
}

std::string nodeName(const io_entry& row, int index)
{
    return std::string(row.label ? row.label : "?") + " " + std::to_string(index);
}

} // namespace

SimModel::SimModel(int modelIndex)
    : index_(modelIndex >= 0 && modelIndex < modelCount ? modelIndex : modelCount - 1)
{
    const model_entry& model = main_table[index_];

    // Nodes as the page holds them when every option is off; a destination's
    // choices are the sources among them that may feed it. An option swaps
    // nodes in place of as many others, so the count does not change with it.
    std::vector<std::unique_ptr<IODesc>> nodes;
    for (int r = 0; r < model.ioRows; ++r) {
        const io_entry* row = &model.ioTable[r];
        for (int i = 0; i < row->count; ++i)
            nodes.push_back(std::make_unique<IODesc>(i, row, CRect(), nullptr, rowStride(row)));
    }
    for (const auto& d : nodes) {
        if (d->IsActiveInput() && d->key) {
            int choices = 0;
            for (const auto& s : nodes)
                if (!optionGroup(model, s->Group()) && s->Connects(d.get()))
                    ++choices;
            for (int k = 0; k < d->entry->inputs; ++k)
                destinations_.push_back({ d->key + k, choices, nodeName(*d->entry, d->index) });
        }
        if (d->gainKey) {
            const GainRange& r = gainRangeOf(d->Group());
            gains_.push_back({ d->gainKey, r.min, r.max, r.step, nodeName(*d->entry, d->index) });
        }
    }
    for (const ComboDesc* c = model.comboDescs; c && c->texts; ++c)
        if (c->key)
            options_.push_back({ c->key, comboTextCount(*c),
                std::string("option ") + (c->group != noGroup ? groupName(c->group) : "output") });
}

const SimModel::Destination* SimModel::FindDestination(long key) const
{
    for (const Destination& d : destinations_)
        if (d.key == key)
            return &d;
    return nullptr;
}

const SimModel::Option* SimModel::FindOption(long key) const
{
    for (const Option& o : options_)
        if (o.key == key)
            return &o;
    return nullptr;
}

const SimModel::Gain* SimModel::FindGain(long key) const
{
    for (const Gain& g : gains_)
        if (g.key == key)
            return &g;
    return nullptr;
}

int SimModel::FindModel(const char* name)
{
    if (!name)
        return -1;
    for (int i = 0; i < modelCount; ++i)
        if (strcasecmp(main_table[i].modelName, name) == 0)
            return i;
    return -1;
}
