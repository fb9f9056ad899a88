#include "CMenu.h"
#include "Geometry.h"
#include "NAction.h"
#include "NQPopupMenu.h"
#include <QCursor>
#include <QMenu>

CMenu::CMenu() = default;
CMenu::~CMenu() = default;

BOOL CMenu::CreatePopupMenu(const char* title)
{
    CWnd* owner = m_popup ? m_popup->owner() : nullptr;
    m_popup = std::make_unique<NQPopupMenu>(title, owner);
    return m_popup->menu() != nullptr;
}

void CMenu::SetOwner(CWnd* owner)
{
    if (m_popup)
        m_popup->setOwner(owner);
    for (CMenu* sub : m_submenus)
        sub->SetOwner(owner);
}

BOOL CMenu::AppendMenu(UINT flags, std::uintptr_t idOrSubmenu, const char* text)
{
    if (!m_popup && !CreatePopupMenu())
        return FALSE;
    if (flags & mfSeparator) {
        m_popup->addSeparator();
    } else if (flags & mfPopup) {
        auto* sub = reinterpret_cast<CMenu*>(idOrSubmenu);
        if (!sub || !sub->m_popup)
            return FALSE;
        // A submenu's commands go wherever its parent menu's go.
        sub->SetOwner(m_popup->owner());
        m_submenus.push_back(sub);
        m_popup->addSubmenu(sub->m_popup.get(), text);
    } else {
        NAction* a = m_popup->addCommand(text, static_cast<int>(idOrSubmenu));
        if (a && (flags & mfChecked)) {
            a->setCheckable(true);
            a->setChecked(true);
        }
    }
    return TRUE;
}

QAction* CMenu::FindItem(UINT idOrPosition, UINT flags) const
{
    QMenu* m = m_popup ? m_popup->menu() : nullptr;
    if (!m)
        return nullptr;
    const QList<QAction*> items = m->actions();
    if (flags & mfByPosition)
        return idOrPosition < static_cast<UINT>(items.size()) ? items[idOrPosition] : nullptr;
    for (QAction* a : items) {
        auto* na = qobject_cast<NAction*>(a);
        if (na && static_cast<UINT>(na->id()) == idOrPosition)
            return na;
    }
    return nullptr;
}

int CMenu::CheckMenuItem(UINT idOrPosition, UINT flags)
{
    QAction* a = FindItem(idOrPosition, flags);
    if (!a)
        return -1;
    int previous = a->isChecked() ? static_cast<int>(mfChecked) : 0;
    a->setCheckable(true);
    a->setChecked((flags & mfChecked) != 0);
    return previous;
}

int CMenu::EnableMenuItem(UINT id, BOOL enable)
{
    QAction* a = FindItem(id, 0);
    if (!a)
        return -1;
    int previous = a->isEnabled() ? 1 : 0;
    a->setEnabled(enable != FALSE);
    return previous;
}

int CMenu::GetMenuItemCount() const
{
    QMenu* m = m_popup ? m_popup->menu() : nullptr;
    return m ? static_cast<int>(m->actions().size()) : -1;
}

int CMenu::TrackPopupMenu(UINT, int, int, CWnd* owner, const CRect*)
{
    if (!m_popup || !m_popup->menu())
        return 0;
    if (owner)
        SetOwner(owner);
    m_popup->menu()->exec(QCursor::pos());
    return 0;
}
