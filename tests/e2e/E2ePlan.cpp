// q7300-e2e-plan MODEL SOURCE DESTINATION: tells the end-to-end run where to
// put the mouse. Lays the editor of MODEL out on the offscreen platform with
// the settings and data folders of the environment, in demo mode, and prints
// as shell assignments its window size, the centre of its OK button and of the
// nodes SOURCE and DESTINATION ("ANAin 0"), the destination's key, the value
// the connection stands for and another legal value. Push buttons are toolkit
// widgets without a window of their own, so an X client cannot find them.
#include "CRoutingDlg.h"
#include "CWinApp.h"
#include "MessageBoxScript.h"
#include "ModelTables.h"
#include "NQButton.h"
#include "ProfileStore.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

int fail(const std::string& why)
{
    std::fprintf(stderr, "q7300-e2e-plan: %s\n", why.c_str());
    return 1;
}

int plan(CRoutingDlg& dlg, const char* source, const char* dest)
{
    QWidget* w = dlg.GetWidget();
    QWidget* ok = dlg.okButton ? dlg.okButton->GetWidget() : nullptr;
    if (!w || !ok || !ok->isVisible())
        return fail("the editor window or its OK button was not made");
    IODesc* s = nullptr;
    IODesc* d = nullptr;
    for (POSITION pos = dlg.activeNodes.GetHeadPosition(); pos;) {
        IODesc* n = dlg.activeNodes.Next(pos);
        const CString name = n->GetText();
        s = std::strcmp(name, source) == 0 ? n : s;
        d = std::strcmp(name, dest) == 0 ? n : d;
    }
    if (!s || !d || !s->Connects(d))
        return fail(std::string(source) + " cannot feed " + dest + " on the page");
    std::vector<IODesc*> choices;
    d->PossibleSources(choices);
    const int value = d->IoValue(s);
    const QPoint okAt = ok->mapTo(w, ok->rect().center());
    std::printf("LAYOUT_WIDTH=%d\nLAYOUT_HEIGHT=%d\n", w->width(), w->height());
    std::printf("LAYOUT_OK_X=%d\nLAYOUT_OK_Y=%d\n", okAt.x(), okAt.y());
    std::printf("PLAN_SRC_X=%d\nPLAN_SRC_Y=%d\n", s->rect.CenterPoint().x, s->rect.CenterPoint().y);
    std::printf(
        "PLAN_DEST_X=%d\nPLAN_DEST_Y=%d\n", d->rect.CenterPoint().x, d->rect.CenterPoint().y);
    std::printf("PLAN_KEY=%lx\nPLAN_VALUE=%d\nPLAN_OTHER_VALUE=%d\n", d->key, value,
        choices.size() > 1 ? (value + 1) % static_cast<int>(choices.size()) : 99);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    int model = -1;
    for (int i = 0; argc == 4 && i < modelCount; ++i)
        model = std::strcmp(main_table[i].modelName, argv[1]) == 0 ? i : model;
    if (model < 0) {
        std::fputs("usage: q7300-e2e-plan MODEL SOURCE DESTINATION\n", stderr);
        return 2;
    }
    // The settings file is named after the program: pose as the editor.
    char name[] = "q7300-routing";
    char* args[] = { name, nullptr };
    int one = 1;
    auto app = std::make_unique<CWinApp>(one, args);
    MessageBoxScript boxes; // a box here would wait for an answer nobody gives
    WriteProfileInt("main", "machine", model);
    WriteProfileInt("main", "local", 1);
    CRoutingDlg dlg(nullptr);
    dlg.Create(CRoutingDlg::dialogTemplateId, nullptr);
    QApplication::processEvents();
    int rc = plan(dlg, argv[2], argv[3]);
    for (const auto& box : boxes.boxes())
        rc = fail("box: " + box.caption.toStdString() + " / " + box.text.toStdString());
    dlg.DestroyWindow();
    return rc;
}
