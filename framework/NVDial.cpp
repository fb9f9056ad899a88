#include "NVDial.h"
#include "CWnd.h"

void NVDial::Create(CWnd* dialog, const char* name)
{
    m_window = dialog;
    ChangeName(name);
    if (!dialog)
        return;
    if (rect.Width() > 39 && rect.Height() > 19)
        dialog->MoveWindow(rect, TRUE);
    else
        dialog->GetWindowRect(&rect);
}

void NVDial::Change(const CRect* r)
{
    if (r)
        rect = *r;
    else if (m_window)
        m_window->GetWindowRect(&rect);
}
