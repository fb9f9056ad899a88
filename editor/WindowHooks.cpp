#include "WindowHooks.h"

#include "CRoutingDlg.h"

#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>

namespace {

// Turns Escape and a close request of the visible editor into its Cancel, so
// that the device gets its mode setting back and the queued messages leave.
class EndingFilter : public QObject {
public:
    EndingFilter(CRoutingDlg& dlg, QObject* parent)
        : QObject(parent)
        , dlg(dlg)
    {
    }

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(watched);
        if (theDlg != &dlg || !w || !w->isVisible())
            return false;
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            dlg.OnCancel();
            return true;
        }
        if (e->type() == QEvent::Close) {
            // Cancel ends (hides) the dialog; the close event then goes on
            // to the window, which reports its destruction as usual.
            dlg.OnCancel();
            return false;
        }
        return false;
    }

private:
    CRoutingDlg& dlg;
};

} // namespace

void hookEditorWindow(CRoutingDlg& dlg)
{
    auto* d = qobject_cast<QDialog*>(dlg.GetWidget());
    if (!d)
        return;
    d->installEventFilter(new EndingFilter(dlg, d));
    // Any other way the dialog finishes still completes the traffic; after OK
    // or Cancel there is nothing left to do here.
    QObject::connect(d, &QDialog::finished, d, [&dlg] {
        if (theDlg == &dlg)
            dlg.EndDeviceTraffic();
    });
    // The list's own notifications carry no edit change (and the map would
    // find the selection handler first), so the typed name is checked here.
    if (QComboBox* box = dlg.userPresets.combo())
        QObject::connect(box, &QComboBox::editTextChanged, d, [&dlg] {
            if (theDlg == &dlg)
                dlg.OnEditchangeUser();
        });
}
