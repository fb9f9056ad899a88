#include "MessageBoxQt.h"
#include "CWinApp.h"
#include "CWnd.h"
#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QWidget>
#include <algorithm>

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

QWidget* messageBoxOwner(QObject* parent)
{
    QWidget* w = qobject_cast<QWidget*>(parent);
    if (w)
        w = w->window();
    if (w && w->isVisible())
        return w;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    if (theApp && theApp->m_pMainWnd) {
        QWidget* frame = theApp->m_pMainWnd->GetWidget();
        if (frame && frame->isVisible())
            return frame;
    }
    return w;
}

int QtMessageBox(
    QObject* parent, const QString& text, const QString& caption, UINT flags, const QString& detail)
{
    QMessageBox box(messageBoxOwner(parent));
    box.setText(caption);
    box.setInformativeText(text);
    if (!detail.isEmpty())
        box.setDetailedText(detail);
    box.setIcon(toolkitIcon(messageBoxIcon(flags)));
    const std::vector<int> values = messageBoxButtons(flags);
    QMessageBox::StandardButtons buttons;
    for (int v : values)
        buttons |= toolkitButton(v);
    box.setStandardButtons(buttons);
    if (!values.empty())
        box.setDefaultButton(toolkitButton(values.front()));
    // The toolkit wraps the secondary text at a narrow width, breaking a file path
    // into ragged pieces: let the box grow to the text's longest line, within limits.
    int longest = 0;
    const QFontMetrics metrics(box.font());
    for (const QString& line : text.split(QLatin1Char('\n')))
        longest = std::max(longest, metrics.horizontalAdvance(line));
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(std::min(longest, 520) + 90, 0, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
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
