#include "MessageBoxQt.h"
#include <QAbstractButton>
#include <QMessageBox>
#include <QWidget>

namespace {
QMessageBox::StandardButton toolkitButton(int value)
{
    switch (value) {
    case IDBOX_OK:
        return QMessageBox::Ok;
    case IDBOX_CANCEL:
        return QMessageBox::Cancel;
    case IDYES:
        return QMessageBox::Yes;
    case IDNO:
        return QMessageBox::No;
    case IDABORT:
        return QMessageBox::Abort;
    case IDRETRY:
        return QMessageBox::Retry;
    case IDIGNORE:
        return QMessageBox::Ignore;
    default:
        return QMessageBox::NoButton;
    }
}

QMessageBox::Icon toolkitIcon(int icon)
{
    switch (icon) {
    case 1:
        return QMessageBox::Information;
    case 2:
        return QMessageBox::Warning;
    case 3:
        return QMessageBox::Critical;
    case 4:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}
} // namespace

int QtMessageBox(QObject* parent, const QString& text, const QString& caption, UINT flags)
{
    QMessageBox box(qobject_cast<QWidget*>(parent));
    box.setText(caption);
    box.setInformativeText(text);
    box.setIcon(toolkitIcon(messageBoxIcon(flags)));
    const std::vector<int> values = messageBoxButtons(flags);
    QMessageBox::StandardButtons buttons;
    for (int v : values)
        buttons |= toolkitButton(v);
    box.setStandardButtons(buttons);
    if (!values.empty())
        box.setDefaultButton(toolkitButton(values.front()));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    QMessageBox::StandardButton pressed
        = clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
    for (int v : values)
        if (toolkitButton(v) == pressed)
            return v;
    // Closed without a button: the box's escape answer (Cancel, else No) or its first.
    for (int escape : { IDBOX_CANCEL, IDNO })
        for (int v : values)
            if (v == escape)
                return v;
    return values.empty() ? IDBOX_OK : values.front();
}

void InstallQtMessageBox()
{
    setMessageBoxHandler(&QtMessageBox);
}
