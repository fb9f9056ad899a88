#include "NDialog.h"
#include <QWidget>

Q_BEGIN_MESSAGE_MAP(NDialog, CDialog)
Q_ON_SIZE(OnSize)
Q_ON_MOVE(OnMove)
Q_END_MESSAGE_MAP()

NDialog::NDialog(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent)
{
}

NDialog::~NDialog() = default;

void NDialog::SetName(const char* name)
{
    m_rect.Create(this, name);
}

void NDialog::OnMove(int, int)
{
    m_rect.Change(nullptr);
}

void NDialog::OnSize(UINT, int cx, int cy)
{
    m_rect.Change(nullptr);
    const TrackDesc* rows = GetTrackDesc();
    if (rows && m_lastWidth >= 0) {
        int dx = cx - m_lastWidth, dy = cy - m_lastHeight;
        for (; rows->id != 0; ++rows) {
            CWnd* c = GetDlgItem(rows->id);
            QWidget* w = c ? c->GetWidget() : nullptr;
            if (!w)
                continue;
            w->move(w->x() + (rows->keepRight ? dx : 0), w->y() + (rows->keepBottom ? dy : 0));
        }
    }
    m_lastWidth = cx;
    m_lastHeight = cy;
}
