#include "NVDial.h"
#include "CWnd.h"
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdint>

namespace {

// `r` made to fit the available area of the screen it mostly lies on (the
// primary screen when it lies on none) and moved onto that screen, so that a
// damaged or foreign setting can never make a window larger than the screens
// or put it where nobody sees it.
CRect keptOnScreen(const CRect& r, const QMargins& frame)
{
    QScreen* best = QGuiApplication::primaryScreen();
    std::int64_t bestArea = 0;
    for (QScreen* s : QGuiApplication::screens()) {
        const QRect a = s->availableGeometry();
        const std::int64_t w = std::min<std::int64_t>(r.right, a.x() + a.width())
            - std::max<std::int64_t>(r.left, a.x());
        const std::int64_t h = std::min<std::int64_t>(r.bottom, a.y() + a.height())
            - std::max<std::int64_t>(r.top, a.y());
        if (w > 0 && h > 0 && w * h > bestArea) {
            bestArea = w * h;
            best = s;
        }
    }
    if (!best)
        return r;
    // The window's frame lies around its own area and must fit too.
    const QRect a = best->availableGeometry().marginsRemoved(frame);
    const int w
        = static_cast<int>(std::min<std::int64_t>(std::int64_t(r.right) - r.left, a.width()));
    const int h
        = static_cast<int>(std::min<std::int64_t>(std::int64_t(r.bottom) - r.top, a.height()));
    const int left = std::clamp(r.left, a.x(), a.x() + a.width() - w);
    const int top = std::clamp(r.top, a.y(), a.y() + a.height() - h);
    return CRect(left, top, left + w, top + h);
}

} // namespace

void NVDial::Create(CWnd* dialog, const char* name)
{
    m_window = dialog;
    ChangeName(name);
    if (!dialog)
        return;
    if (std::int64_t(rect.right) - rect.left > 39 && std::int64_t(rect.bottom) - rect.top > 19) {
        QMargins frame;
        if (QWidget* w = dialog->GetWidget(); w && w->isWindow()) {
            w->winId(); // the platform window knows its frame, where it can
            if (w->windowHandle())
                frame = w->windowHandle()->frameMargins();
        }
        rect = keptOnScreen(rect, frame);
        dialog->MoveWindow(rect, TRUE);
    } else {
        dialog->GetWindowRect(&rect);
    }
}

void NVDial::Change(const CRect* r)
{
    if (r)
        rect = *r;
    else if (m_window)
        m_window->GetWindowRect(&rect);
}
