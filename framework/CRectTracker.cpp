#include "CRectTracker.h"
#include "CDC.h"
#include "CWnd.h"
#include "GdiObjects.h"
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>

// Watches the application's events while a drag runs: moves over the window
// stretch the band, a button release accepts, Escape cancels, other keys are eaten.
class CRectTracker::Filter : public QObject {
public:
    Filter(CRectTracker* tracker, QWidget* target, bool allowInvert, QEventLoop* loop)
        : m_tracker(tracker)
        , m_target(target)
        , m_allowInvert(allowInvert)
        , m_loop(loop)
    {
    }

    bool accepted = false;

    bool eventFilter(QObject* watched, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseMove:
            if (watched == m_target) {
                QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
                m_tracker->m_rect.right = p.x();
                m_tracker->m_rect.bottom = p.y();
                showBand();
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease:
            if (watched == m_target) {
                finish(true);
                return true;
            }
            return false;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape)
                finish(false);
            return true;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            return true;
        default:
            return false;
        }
    }

private:
    void showBand()
    {
        QRubberBand* band = m_tracker->m_band;
        if (!band)
            return;
        CRect r = m_tracker->m_rect;
        if (m_allowInvert)
            r.NormalizeRect();
        if (r.IsRectEmpty()) {
            band->hide();
            return;
        }
        band->setGeometry(r.left, r.top, r.Width(), r.Height());
        band->show();
    }

    void finish(bool ok)
    {
        accepted = ok;
        m_loop->quit();
    }

    CRectTracker* m_tracker;
    QWidget* m_target;
    bool m_allowInvert;
    QEventLoop* m_loop;
};

CRectTracker::CRectTracker() = default;

CRectTracker::~CRectTracker()
{
    delete m_band.data();
}

BOOL CRectTracker::Track(CWnd* window, CPoint start, BOOL allowInvert, CWnd*)
{
    m_rect.SetRect(start.x, start.y, start.x, start.y);
    QWidget* target = window ? window->GetWidget() : nullptr;
    if (!target || m_state != 0)
        return FALSE;
    if (!m_band || m_band->parentWidget() != target) {
        delete m_band.data();
        m_band = new QRubberBand(QRubberBand::Rectangle, target);
    }
    m_state = 1;
    QEventLoop loop;
    Filter filter(this, target, allowInvert != FALSE, &loop);
    // The window may go away during the drag: that ends it as cancelled.
    QObject::connect(target, &QObject::destroyed, &loop, &QEventLoop::quit);
    qApp->installEventFilter(&filter);
    loop.exec();
    qApp->removeEventFilter(&filter);
    m_state = 0;
    if (m_band)
        m_band->hide();
    if (allowInvert)
        m_rect.NormalizeRect();
    return filter.accepted ? TRUE : FALSE;
}

void CRectTracker::Draw(CDC* dc) const
{
    if (!dc)
        return;
    CRect r = m_rect;
    r.NormalizeRect();
    CPen dotted(3 /* dotted line */, 1, 0xFF000000u);
    CBrush hollow;
    CPen* oldPen = dc->SelectObject(&dotted);
    CBrush* oldBrush = dc->SelectObject(&hollow);
    dc->Rectangle(r);
    if (oldPen)
        dc->SelectObject(oldPen);
    if (oldBrush)
        dc->SelectObject(oldBrush);
}

int CRectTracker::HitTest(CPoint) const
{
    return -1;
}
