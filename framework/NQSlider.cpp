#include "NQSlider.h"
#include "CDialog.h"
#include <QLayout>
#include <QSlider>

NQSlider::NQSlider(CDialog* dialog, UINT id, QLayout* layout, Qt::Orientation orientation,
    int minHeight, int maxHeight)
{
    Create(dialog, id, layout, orientation, minHeight, maxHeight);
}

NQSlider::NQSlider(CDialog* dialog, UINT id, QWidget* parent, Qt::Orientation orientation,
    int minHeight, int maxHeight)
{
    Create(dialog, id, parent, orientation, minHeight, maxHeight);
}

BOOL NQSlider::Create(CDialog* dialog, UINT id, QLayout* layout, Qt::Orientation orientation,
    int minHeight, int maxHeight)
{
    setUp(dialog, id, dialog ? dialog->GetWidget() : nullptr, orientation, minHeight, maxHeight);
    if (layout)
        layout->addWidget(GetWidget());
    return TRUE;
}

BOOL NQSlider::Create(CDialog* dialog, UINT id, QWidget* parent, Qt::Orientation orientation,
    int minHeight, int maxHeight)
{
    setUp(dialog, id, parent ? parent : (dialog ? dialog->GetWidget() : nullptr), orientation,
        minHeight, maxHeight);
    return TRUE;
}

void NQSlider::setUp(CDialog* dialog, UINT id, QWidget* parent, Qt::Orientation orientation,
    int minHeight, int maxHeight)
{
    m_parent = dialog;
    auto* s = new QSlider(orientation, parent);
    setWidget(s);
    if (dialog)
        dialog->AddDialogItem(this, id);
    else
        SetDlgCtrlID(id);
    s->setInvertedAppearance(true);
    if (minHeight > 0)
        s->setMinimumHeight(minHeight);
    if (maxHeight > 0)
        s->setMaximumHeight(maxHeight);
    QObject::connect(s, &QSlider::valueChanged, s, [this](int v) { valueChanged(v); });
}

QSlider* NQSlider::slider() const
{
    return qobject_cast<QSlider*>(GetWidget());
}

// Why program changes stay silent: an owner that shows a value on the slider (a
// gain rounded to whole steps) would otherwise get it back as a user move and
// overwrite the finer value it came from.
void NQSlider::valueChanged(int value)
{
    QSlider* s = slider();
    CWnd* target = GetParent();
    if (m_programChange || !s || !target)
        return;
    int v = std::clamp(value, s->minimum(), s->maximum());
    WPARAM w = (static_cast<WPARAM>(static_cast<std::uint16_t>(v)) << 16) | 8u;
    UINT code = s->orientation() == Qt::Vertical ? msgVScroll : msgHScroll;
    target->SendMessage(code, w, reinterpret_cast<LPARAM>(static_cast<CWnd*>(this)));
}

void NQSlider::SetRange(int minPos, int maxPos, BOOL)
{
    if (QSlider* s = slider()) {
        m_programChange = true;
        s->setRange(minPos, maxPos);
        m_programChange = false;
    }
}

int NQSlider::GetPos() const
{
    QSlider* s = slider();
    return s ? s->value() : 0;
}

void NQSlider::SetPos(int pos)
{
    if (QSlider* s = slider()) {
        m_programChange = true;
        s->setValue(pos);
        m_programChange = false;
    }
}
