// q7300-presetgen: writes every model's factory routing presets, from the
// model tables, as <output folder>/<model>/<name>.rft.
//   q7300-presetgen <output folder>
//
// A destination's value is the position of its source among the sources the
// page offers it while every port option is off: the editor applies preset
// values in that state and only then switches the options in, which moves the
// connections along without changing any value.

#include "IODesc.h"
#include "IODescList.h"
#include "ModelTables.h"
#include "NodePlacement.h"
#include "PresetFile.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The page of one model as the editor builds it, every option off.
class Page {
public:
    explicit Page(int model)
        : table(main_table[model])
    {
        tablenum = model;
        for (int r = 0; r < table.ioRows; ++r) {
            const io_entry* row = &table.ioTable[r];
            for (int i = 0; i < row->count; ++i) {
                nodes.push_back(std::make_unique<IODesc>(i, row, CRect(), &active, rowStride(row)));
                PlaceNode(nodes.back().get(), active, side);
            }
        }
    }
    ~Page()
    {
        active.RemoveAll();
        for (IODescList& l : side)
            l.RemoveAll();
    }

    // Node `index` of group g on the page when it may feed d, else null.
    IODesc* feed(const IODesc* d, groupID g, int index) const
    {
        for (POSITION pos = active.GetHeadPosition(); pos;) {
            IODesc* s = active.Next(pos);
            if (s->Group() == g && s->index == index)
                return s->Connects(d) ? s : nullptr;
        }
        return nullptr;
    }

    const model_entry& table;
    std::vector<std::unique_ptr<IODesc>> nodes; // creation order, as presets list them
    IODescList active;
    IODescList side[comboSideListCount];
};

groupID groupNamed(const std::string& name)
{
    for (int g = noGroup; g <= TO_FRONT; ++g)
        if (name == groupName(static_cast<groupID>(g)))
            return static_cast<groupID>(g);
    return noGroup;
}

bool hasOption(const model_entry& m, ComboProcId proc)
{
    for (const ComboDesc* c = m.comboDescs; c && c->texts; ++c)
        if (c->proc == proc)
            return true;
    return false;
}

// One factory preset: where each destination takes its source from, the gain
// of each node and the choice of each port option.
struct Preset {
    std::string name;
    std::function<IODesc*(const Page&, const IODesc&)> source;
    std::function<double(const IODesc&)> gain = [](const IODesc&) { return 0.0; };
    std::function<int(const ComboDesc&)> option = [](const ComboDesc&) { return 0; };
};

// The input wired to main input d: the first source bound to d's number, in
// d's order of preference; else the free-numbered source of the same number.
IODesc* wiredInput(const IODesc& d, bool optical)
{
    std::vector<IODesc*> sources;
    d.PossibleSources(sources);
    for (IODesc* s : sources)
        if (s->entry->indexOffset != -1)
            return s;
    for (IODesc* s : sources)
        if (s->index == d.index && !(optical && s->Group() == ADATin))
            return s;
    return nullptr;
}

// A physical output: the input of the same kind and number when `through`
// and that is legal, else the main output of its number.
IODesc* physicalOutput(const Page& p, const IODesc& d, bool through)
{
    std::string name = groupName(d.Group());
    if (through && name.size() > 3 && name.compare(name.size() - 3, 3, "out") == 0) {
        if (IODesc* s = p.feed(&d, groupNamed(name.substr(0, name.size() - 3) + "in"), d.index))
            return s;
    }
    return p.feed(&d, MAINoutR, d.index);
}

// DSP routing of a preset: what feeds the two DSP sections and the main outputs.
IODesc* routed(const Page& p, const IODesc& d, groupID dspA, groupID dspB, groupID outA,
    groupID outB, bool through, bool optical = false)
{
    switch (d.Group()) {
    case MAINinL:
        return wiredInput(d, optical);
    case DSPAin:
        return p.feed(&d, dspA, d.index);
    case DSPBin:
        return p.feed(&d, dspB, d.index);
    case MAINoutLa:
        return p.feed(&d, outA, d.index);
    case MAINoutLb:
        return p.feed(&d, outB, d.index);
    case ADATout:
        // The optical S/PDIF ports share the ADAT connectors.
        if (optical)
            return nullptr;
        [[fallthrough]];
    default:
        return physicalOutput(p, d, through);
    }
}

std::vector<Preset> presetsOf(const model_entry& m)
{
    std::vector<Preset> out;
    out.push_back({ "All Off", [](const Page&, const IODesc&) { return nullptr; } });
    out.push_back({ "Straight Through", [](const Page& p, const IODesc& d) {
                       return routed(p, d, noGroup, noGroup, MAINinR, noGroup, true);
                   } });
    // Two effects side by side, their outputs summed: 6 dB of headroom each.
    out.push_back({ "DSP A and B in Parallel",
        [](const Page& p, const IODesc& d) {
            return routed(p, d, MAINinR, MAINinR, DSPAout, DSPBout, false);
        },
        [](const IODesc& n) {
            return n.Group() == DSPAout || n.Group() == DSPBout ? -6.0 : 0.0;
        } });
    out.push_back({ "DSP A into DSP B", [](const Page& p, const IODesc& d) {
                       return routed(p, d, MAINinR, DSPAout, DSPBout, noGroup, false);
                   } });

    // Every optional port on, the inputs wired straight through. The two
    // options that take AES10 pairs exclude each other: the optical one wins.
    const bool optical = hasOption(m, ComboProcId::fwire_spdifo_proc);
    const bool analogue = hasOption(m, ComboProcId::q7300_ana_proc);
    std::string name = optical ? "SPDIF Coax and Optical On"
        : analogue             ? "Analogue and SPDIF Inputs On"
                               : "SPDIF Input On";
    out.push_back({ name,
        [optical](const Page& p, const IODesc& d) {
            return routed(p, d, noGroup, noGroup, MAINinR, noGroup, true, optical);
        },
        [](const IODesc&) { return 0.0; },
        [optical](const ComboDesc& c) {
            return c.proc == ComboProcId::fwire_spdifc2_proc && optical ? 0 : 1;
        } });
    return out;
}

// The preset's lines, as the editor saves one.
void writePreset(PresetFile& file, const Page& p, const Preset& preset)
{
    for (const auto& n : p.nodes)
        file.AddNode(*n, preset.gain(*n),
            n->key && n->IsActiveInput() ? n->IoValue(preset.source(p, *n)) : IODesc::noValue);
    for (const ComboDesc* c = p.table.comboDescs; c && c->texts; ++c)
        file.AddValue(c->key, preset.option(*c));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: q7300-presetgen <output folder>\n");
        return 2;
    }
    for (int m = 0; m < modelCount; ++m) {
        const fs::path dir = fs::path(argv[1]) / main_table[m].modelName;
        std::error_code ec;
        fs::remove_all(dir, ec);
        fs::create_directories(dir, ec);
        const Page page(m);
        for (const Preset& preset : presetsOf(page.table)) {
            PresetFile file;
            writePreset(file, page, preset);
            if (!file.Commit(CString((dir / (preset.name + ".rft")).c_str()))) {
                std::fprintf(stderr, "q7300-presetgen: cannot write %s\n", dir.c_str());
                return 1;
            }
        }
    }
    return 0;
}
