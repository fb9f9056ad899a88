#include "CEdit.h"
#include "CDialog.h"
#include "CString.h"
#include <QLayout>
#include <QPlainTextEdit>
#include <QTextCursor>

QPlainTextEdit* CEdit::build(CWnd* parent, QWidget* parentWidget)
{
    m_parent = parent;
    auto* e = new QPlainTextEdit(parentWidget);
    setWidget(e);
    return e;
}

QPlainTextEdit* CEdit::buildControl(
    CDialog* dialog, UINT id, QWidget* parentWidget, int minWidth, int maxWidth)
{
    QPlainTextEdit* e = build(dialog, parentWidget);
    if (dialog)
        dialog->AddDialogItem(this, id);
    else
        SetDlgCtrlID(id);
    if (minWidth > 0)
        e->setMinimumWidth(minWidth);
    if (maxWidth > 0)
        e->setMaximumWidth(maxWidth);
    return e;
}

BOOL CEdit::Attach(CWnd* parent)
{
    build(parent, parent ? parent->GetWidget() : nullptr);
    return TRUE;
}

BOOL CEdit::Create(CDialog* dialog, UINT id, QLayout* layout, int minWidth, int maxWidth,
    int minHeight, int maxHeight)
{
    QPlainTextEdit* e
        = buildControl(dialog, id, dialog ? dialog->GetWidget() : nullptr, minWidth, maxWidth);
    if (minHeight > 0)
        e->setMinimumHeight(minHeight);
    if (maxHeight > 0)
        e->setMaximumHeight(maxHeight);
    if (layout)
        layout->addWidget(e);
    return TRUE;
}

QPlainTextEdit* CEdit::edit() const
{
    return qobject_cast<QPlainTextEdit*>(GetWidget());
}

void CEdit::SetWindowText(const char* text)
{
    // A text set by the program is not the user's change: it notifies nothing and
    // leaves the modified flag clear.
    if (QPlainTextEdit* e = edit()) {
        m_settingText = true;
        e->setPlainText(textToQString(text));
        e->document()->setModified(false);
        m_settingText = false;
    }
}

void CEdit::GetWindowText(CString& text) const
{
    QPlainTextEdit* e = edit();
    text = e ? CString(e->toPlainText()) : CString();
}

void CEdit::SetSel(int start, int end, BOOL)
{
    QPlainTextEdit* e = edit();
    if (!e)
        return;
    QTextCursor c = e->textCursor();
    int length = c.document()->characterCount() - 1;
    auto clamp = [length](int p) { return p < 0 || p > length ? length : p; };
    c.setPosition(clamp(start));
    c.setPosition(clamp(end), QTextCursor::KeepAnchor);
    e->setTextCursor(c);
}

void CEdit::GetSel(int& start, int& end) const
{
    QPlainTextEdit* e = edit();
    if (!e) {
        start = end = 0;
        return;
    }
    QTextCursor c = e->textCursor();
    start = c.selectionStart();
    end = c.selectionEnd();
}

void CEdit::Cut()
{
    if (QPlainTextEdit* e = edit())
        e->cut();
}

void CEdit::Copy()
{
    if (QPlainTextEdit* e = edit())
        e->copy();
}

void CEdit::Paste()
{
    if (QPlainTextEdit* e = edit())
        e->paste();
}

BOOL CEdit::Undo()
{
    QPlainTextEdit* e = edit();
    if (!e || !e->document()->isUndoAvailable())
        return FALSE;
    e->undo();
    return TRUE;
}

BOOL CEdit::CanUndo() const
{
    QPlainTextEdit* e = edit();
    return e && e->document()->isUndoAvailable();
}

void CEdit::SetReadOnly(BOOL readOnly)
{
    if (QPlainTextEdit* e = edit())
        e->setReadOnly(readOnly != FALSE);
}
