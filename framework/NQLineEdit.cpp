#include "NQLineEdit.h"
#include "CDialog.h"
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QPlainTextEdit>

// Reports the field's focus changes to its window object while that still owns it.
class NQLineEditFocus : public QObject {
public:
    NQLineEditFocus(NQLineEdit* owner, QObject* parent)
        : QObject(parent)
        , m_owner(owner)
    {
    }
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if ((e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)
            && CWnd::FromHandle(qobject_cast<QWidget*>(watched)) == m_owner)
            m_owner->focusChanged(e->type() == QEvent::FocusIn);
        return false;
    }

private:
    NQLineEdit* m_owner;
};

NQLineEdit::NQLineEdit(CDialog* dialog, UINT id, QLayout* layout, int minWidth, int maxWidth)
{
    Create(dialog, id, layout, minWidth, maxWidth);
}

NQLineEdit::NQLineEdit(CDialog* dialog, UINT id, QWidget* parent, int minWidth, int maxWidth)
{
    Create(dialog, id, parent, minWidth, maxWidth);
}

NQLineEdit::~NQLineEdit() = default;

BOOL NQLineEdit::Create(CDialog* dialog, UINT id, QLayout* layout, int minWidth, int maxWidth)
{
    setUp(dialog, id, dialog ? dialog->GetWidget() : nullptr, minWidth, maxWidth);
    if (layout)
        layout->addWidget(GetWidget());
    return TRUE;
}

BOOL NQLineEdit::Create(CDialog* dialog, UINT id, QWidget* parent, int minWidth, int maxWidth)
{
    setUp(
        dialog, id, parent ? parent : (dialog ? dialog->GetWidget() : nullptr), minWidth, maxWidth);
    return TRUE;
}

void NQLineEdit::setUp(CDialog* dialog, UINT id, QWidget* parent, int minWidth, int maxWidth)
{
    QPlainTextEdit* e = buildControl(dialog, id, parent, minWidth, maxWidth);
    e->setMaximumHeight(static_cast<int>(1.8 * QFontMetrics(e->font()).lineSpacing()));
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    e->setLineWrapMode(QPlainTextEdit::NoWrap);
    e->installEventFilter(new NQLineEditFocus(this, e));
    QObject::connect(e, &QPlainTextEdit::textChanged, e, [this, e] {
        if (GetDlgCtrlID() == 0 || m_settingText)
            return;
        e->document()->setModified(false);
        Notify(scEditChange);
    });
}

void NQLineEdit::focusChanged(bool in)
{
    Notify(in ? scSetFocus : scKillFocus);
}
