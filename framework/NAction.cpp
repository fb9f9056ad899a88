#include "NAction.h"

NAction::NAction(const QString& text, int id, QObject* parent, const QKeySequence& shortcut,
    const QIcon& icon, const QString& statusTip)
    : QAction(text, parent)
    , m_id(id)
{
    if (!shortcut.isEmpty())
        setShortcut(shortcut);
    if (!icon.isNull())
        setIcon(icon);
    if (!statusTip.isEmpty())
        setStatusTip(statusTip);
    // Check marks are the program's to set: choosing an item does not toggle its mark.
    connect(this, &QAction::triggered, this, [this](bool checked) {
        if (isCheckable())
            setChecked(!checked);
        emit command(this, m_id);
    });
}
