#include "NQPopupMenu.h"
#include "CString.h"
#include "NAction.h"
#include <QMenu>

namespace {
QString menuTitle(const char* text)
{
    QString t = textToQString(text);
    t.remove(QLatin1Char('&'));
    return t;
}
} // namespace

NQPopupMenu::NQPopupMenu(const char* title, CWnd* owner)
{
    setOwner(owner);
    auto* m = new QMenu(menuTitle(title));
    setWidget(m);
    QObject::connect(m, &QMenu::aboutToShow, m, [this] { aboutToShow(); });
}

NQPopupMenu::~NQPopupMenu() = default;

QMenu* NQPopupMenu::menu() const
{
    return qobject_cast<QMenu*>(GetWidget());
}

void NQPopupMenu::aboutToShow()
{
    QMenu* m = menu();
    if (!m)
        return;
    for (QAction* a : m->actions()) {
        auto* na = qobject_cast<NAction*>(a);
        if (na && owner())
            owner()->updateMenu(na, na->id());
    }
}

NAction* NQPopupMenu::addCommand(const char* text, int id)
{
    QMenu* m = menu();
    if (!m)
        return nullptr;
    auto* a = new NAction(textToQString(text), id, m);
    QObject::connect(a, &NAction::command, m, [this](QAction* action, int cmd) {
        if (CWnd* o = owner())
            o->menu_command(action, cmd);
    });
    m->addAction(a);
    return a;
}

void NQPopupMenu::addSeparator()
{
    if (QMenu* m = menu())
        m->addSeparator();
}

void NQPopupMenu::addSubmenu(NQPopupMenu* sub, const char* text)
{
    QMenu* m = menu();
    if (!m || !sub || !sub->menu())
        return;
    QAction* a = m->addMenu(sub->menu());
    if (text)
        a->setText(menuTitle(text));
}
