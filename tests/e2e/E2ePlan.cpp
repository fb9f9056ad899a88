// q7300-e2e-plan: tells the end-to-end run where to put the mouse.
//   q7300-e2e-plan page MODEL DATA_DIR WIDTHxHEIGHT SOURCE DESTINATION
//     node centres (window pixels) of SOURCE and DESTINATION ("ANAin 0"), the
//     destination's key and the value the connection stands for, as shell
//     assignments PLAN_...
//   q7300-e2e-plan layout MODEL
//     the editor's window size and the centre of its OK button, laid out
//     offscreen with the settings of the environment, as LAYOUT_...
#include "LayoutProbe.h"
#include "ModelTables.h"
#include "PagePlan.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int modelIndex(const char* name)
{
    for (int i = 0; i < modelCount; ++i)
        if (std::strcmp(main_table[i].modelName, name) == 0)
            return i;
    return -1;
}

int fail(const std::string& why)
{
    std::fprintf(stderr, "q7300-e2e-plan: %s\n", why.c_str());
    return 1;
}

int page(int model, const std::string& data, const char* size, const std::string& source,
    const std::string& dest)
{
    int w = 0, h = 0;
    if (std::sscanf(size, "%dx%d", &w, &h) != 2 || w <= 40 || h <= 40)
        return fail("the window size must read WIDTHxHEIGHT");
    e2e::PagePlan plan;
    std::string error;
    const model_entry& m = main_table[model];
    if (!e2e::planPage(
            model, data + "/" + m.bitmapFile, data + "/" + m.panelFile, w, h, plan, error))
        return fail(error);
    e2e::PlannedConnection c;
    if (!e2e::planConnection(model, source, dest, c, error))
        return fail(error);
    const e2e::PlannedNode* s = e2e::findNode(plan, source);
    const e2e::PlannedNode* d = e2e::findNode(plan, dest);
    if (!s || !d)
        return fail("the description places no node " + std::string(s ? dest : source));
    std::printf("PLAN_NODES=%zu\n", plan.nodes.size());
    std::printf("PLAN_SCALE=%.6f\n", plan.scale);
    std::printf("PLAN_SRC_X=%d\nPLAN_SRC_Y=%d\n", s->x, s->y);
    std::printf("PLAN_DEST_X=%d\nPLAN_DEST_Y=%d\n", d->x, d->y);
    std::printf("PLAN_KEY=%lx\nPLAN_VALUE=%d\n", c.key, c.value);
    // Another legal choice, so the device can start on a different source.
    std::printf("PLAN_OTHER_VALUE=%d\n", c.choices > 1 ? (c.value + 1) % c.choices : 99);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "page") == 0 && argc == 7) {
        const int model = modelIndex(argv[2]);
        if (model < 0)
            return fail(std::string("unknown model ") + argv[2]);
        return page(model, argv[3], argv[4], argv[5], argv[6]);
    }
    if (argc == 3 && std::strcmp(argv[1], "layout") == 0) {
        const int model = modelIndex(argv[2]);
        if (model < 0)
            return fail(std::string("unknown model ") + argv[2]);
        // The settings file is named after the program: pose as the editor.
        char name[] = "q7300-routing";
        char* args[] = { name, nullptr };
        e2e::WindowLayout layout;
        std::string error;
        if (!e2e::probeLayout(1, args, model, layout, error))
            return fail(error);
        std::printf("LAYOUT_WIDTH=%d\nLAYOUT_HEIGHT=%d\n", layout.width, layout.height);
        std::printf("LAYOUT_OK_X=%d\nLAYOUT_OK_Y=%d\n", layout.okX, layout.okY);
        return 0;
    }
    std::fputs("usage: q7300-e2e-plan page MODEL DATA_DIR WIDTHxHEIGHT SOURCE DESTINATION\n"
               "       q7300-e2e-plan layout MODEL\n",
        stderr);
    return 2;
}
