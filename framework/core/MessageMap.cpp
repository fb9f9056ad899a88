#include "MessageMap.h"
#include "CCmdUI.h"
#include <QAction>

int qNoCall(CCmdTarget*, const Q_MSGMAP_ENTRY&, const Q_MSGCALL&)
{
    return 0;
}

void qRunCommandUpdate(LPARAM action, void (*fn)(void* ctx, CCmdUI* ui), void* ctx)
{
    auto* a = reinterpret_cast<QAction*>(action);
    CCmdUI ui(a ? CString(a->text()) : CString());
    fn(ctx, &ui);
    if (!a)
        return;
    a->setText(ui.MenuText().toQString());
    a->setEnabled(ui.IsEnabled());
    // Only items that carry a mark show the box for one.
    const bool mark = ui.IsChecked() || ui.IsRadio();
    if (mark || a->isCheckable()) {
        a->setCheckable(true);
        a->setChecked(mark);
    }
}
