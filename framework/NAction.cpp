#include "NAction.h"

NAction::NAction(const QString& text, int id, QObject* parent, const QKeySequence& shortcut,
    const QIcon& icon, const QString& statusTip)
    : QAction(text, parent)
    , m_id(id)
{
    setCheckable(true);
    if (!shortcut.isEmpty())
        setShortcut(shortcut);
    if (!icon.isNull())
        setIcon(icon);
    if (!statusTip.isEmpty())
        setStatusTip(statusTip);
    connect(this, &QAction::triggered, this, [this] {
        setChecked(false);
        emit command(this, m_id);
    });
}
