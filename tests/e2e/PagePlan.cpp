#include "PagePlan.h"

#include "IODesc.h"
#include "IODescList.h"
#include "ModelTables.h"

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace e2e {

namespace {

constexpr int kMargin = 10; // free pixels around the picture

struct Record {
    std::string keyword;
    int l = 0, t = 0, r = 0, b = 0;
};

bool readRecords(const std::string& path, std::vector<Record>& out)
{
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f)
        return false;
    char word[64];
    Record rec;
    while (std::fscanf(f, "%63s %d,%d,%d,%d", word, &rec.l, &rec.t, &rec.r, &rec.b) == 5) {
        rec.keyword = word;
        out.push_back(rec);
    }
    std::fclose(f);
    return true;
}

bool optionalGroup(const model_entry& model, groupID g)
{
    for (const ComboDesc* c = model.comboDescs; c && c->texts; ++c)
        if (c->group == g && g != noGroup)
            return true;
    return false;
}

std::string nodeName(const io_entry& row, int index)
{
    return std::string(row.label ? row.label : "") + " " + std::to_string(index);
}

} // namespace

bool planPage(int model, const std::string& picture, const std::string& description,
    int windowWidth, int windowHeight, PagePlan& plan, std::string& error)
{
    if (model < 0 || model >= modelCount) {
        error = "no such model";
        return false;
    }
    QImage image;
    if (!image.load(QString::fromStdString(picture)) || image.width() < 2 || image.height() < 2) {
        error = "cannot read the picture " + picture;
        return false;
    }
    std::vector<Record> records;
    if (!readRecords(description, records)) {
        error = "cannot read the description " + description;
        return false;
    }
    auto outline = std::find_if(
        records.begin(), records.end(), [](const Record& r) { return r.keyword == "OUTLINE"; });
    if (outline == records.end() || outline->r == outline->l || outline->b == outline->t) {
        error = "the description has no usable OUTLINE record";
        return false;
    }
    // The picture fills the width less the margins and keeps its aspect ratio;
    // the window ends one margin below it.
    const double pw = image.width() - 1;
    const double ph = image.height() - 1;
    plan.scale = (windowWidth - 2 * kMargin) / pw;
    plan.originX = kMargin;
    plan.originY = windowHeight - kMargin - static_cast<int>(plan.scale * ph);
    const double s
        = plan.scale * std::max(pw / (outline->r - outline->l), ph / (outline->b - outline->t));

    const model_entry& m = main_table[model];
    int row = 0;
    int index = 0;
    plan.nodes.clear();
    for (auto it = outline + 1; it != records.end(); ++it) {
        if (it->keyword != "LED")
            continue;
        while (row < m.ioRows && index >= m.ioTable[row].count) {
            ++row;
            index = 0;
        }
        if (row >= m.ioRows)
            break;
        const int l = static_cast<int>(it->l * s), t = static_cast<int>(it->t * s);
        const int r = static_cast<int>(it->r * s), b = static_cast<int>(it->b * s);
        PlannedNode n;
        n.name = nodeName(m.ioTable[row], index);
        n.row = row;
        n.index = index;
        // The node square is centred one pixel right of the region's centre.
        n.x = plan.originX + (l + r) / 2 + 1;
        n.y = plan.originY + (t + b) / 2;
        plan.nodes.push_back(n);
        ++index;
    }
    return true;
}

const PlannedNode* findNode(const PagePlan& plan, const std::string& name)
{
    for (const PlannedNode& n : plan.nodes)
        if (n.name == name)
            return &n;
    return nullptr;
}

bool planConnection(int model, const std::string& source, const std::string& destination,
    PlannedConnection& out, std::string& error)
{
    if (model < 0 || model >= modelCount) {
        error = "no such model";
        return false;
    }
    const model_entry& m = main_table[model];
    // The page with every option off: optional groups wait off the page and
    // are nobody's choice.
    IODescList page;
    std::vector<std::unique_ptr<IODesc>> all;
    IODesc* src = nullptr;
    IODesc* dest = nullptr;
    for (int r = 0; r < m.ioRows; ++r) {
        const io_entry* row = &m.ioTable[r];
        for (int i = 0; i < row->count; ++i) {
            all.push_back(std::make_unique<IODesc>(i, row, CRect(), &page, rowStride(row)));
            IODesc* n = all.back().get();
            if (!optionalGroup(m, row->group))
                page.AddTail(n);
            if (nodeName(*row, i) == source)
                src = n;
            if (nodeName(*row, i) == destination)
                dest = n;
        }
    }
    if (!src || !dest) {
        error = "no node named " + (src ? destination : source);
        page.RemoveAll();
        return false;
    }
    if (!page.Find(src) || !page.Find(dest) || !src->Connects(dest)) {
        error = source + " cannot feed " + destination + " with every option off";
        page.RemoveAll();
        return false;
    }
    std::vector<IODesc*> choices;
    dest->PossibleSources(choices);
    out.key = dest->key;
    out.value = dest->IoValue(src);
    out.choices = static_cast<int>(choices.size());
    page.RemoveAll();
    return true;
}

} // namespace e2e
