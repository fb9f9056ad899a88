#include "LayoutProbe.h"

#include "CRoutingDlg.h"
#include "CWinApp.h"
#include "MessageBoxScript.h"
#include "NQButton.h"
#include "ProfileStore.h"

#include <QApplication>
#include <QWidget>

#include <memory>

namespace e2e {

bool probeLayout(int argc, char** argv, int model, WindowLayout& out, std::string& error)
{
    auto app = std::make_unique<CWinApp>(argc, argv);
    // A box here would wait for an answer nobody gives.
    MessageBoxScript boxes;
    WriteProfileInt("main", "machine", model);
    WriteProfileInt("main", "local", 1);
    bool ok = false;
    {
        CRoutingDlg dlg(nullptr);
        dlg.Create(CRoutingDlg::dialogTemplateId, nullptr);
        QApplication::processEvents();
        QWidget* w = dlg.GetWidget();
        QWidget* button = dlg.okButton ? dlg.okButton->GetWidget() : nullptr;
        if (!w || !button || !button->isVisible()) {
            error = "the editor window or its OK button was not made";
        } else {
            out.width = w->width();
            out.height = w->height();
            const QPoint c = button->mapTo(w, button->rect().center());
            out.okX = c.x();
            out.okY = c.y();
            ok = true;
        }
        for (const auto& box : boxes.boxes())
            error += " [box: " + box.caption.toStdString() + " / " + box.text.toStdString() + "]";
        dlg.DestroyWindow();
    }
    app.reset();
    return ok;
}

} // namespace e2e
