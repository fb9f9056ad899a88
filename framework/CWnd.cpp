#include "CWnd.h"
#include "CClientDC.h"
#include "CScrollBar.h"
#include "MessageBoxHook.h"
#include "Posting.h"
#include "QQWidget.h"
#include <QApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QThread>
#include <mutex>

namespace {
// The global list of live windows, newest first. FromHandle may be asked from the
// MIDI thread (SendMessage), so the links are guarded.
std::mutex g_liveMutex;
CWnd* g_firstLive = nullptr;

CCmdTarget* ownerOfObject(QObject* o)
{
    auto* w = qobject_cast<QWidget*>(o);
    return w ? CWnd::FromHandle(w) : nullptr;
}

UINT mouseFlags(const QMouseEvent* e)
{
    return static_cast<UINT>(e->modifiers().toInt()) | static_cast<UINT>(e->buttons().toInt());
}

// (x & 0xFFFF) | (y << 16) as a sign-extended 32-bit value.
LPARAM packPoint(int x, int y)
{
    auto packed = (static_cast<std::uint32_t>(x) & 0xFFFFu) | (static_cast<std::uint32_t>(y) << 16);
    return static_cast<LPARAM>(static_cast<std::int32_t>(packed));
}
} // namespace

CWnd::CWnd()
{
    init();
}

CWnd::CWnd(CWnd* parent)
    : m_parent(parent)
{
    init();
}

void CWnd::init()
{
    static std::once_flag lookupInstalled;
    std::call_once(lookupInstalled, [] { setMsgOwnerLookup(&ownerOfObject); });
    m_alive = this;
    linkLive();
}

CWnd::~CWnd()
{
    m_alive = nullptr;
    {
        // Children outliving this window forget it, so they never reach back into it.
        std::lock_guard<std::mutex> lock(g_liveMutex);
        for (CWnd* w = g_firstLive; w; w = w->m_next)
            if (w->m_parent == this)
                w->m_parent = nullptr;
    }
    if (m_parent)
        m_parent->RemoveDialogItem(this);
    m_hScroll.reset();
    m_vScroll.reset();
    setWidget(nullptr);
    m_painter.reset();
    unlinkLive();
}

void CWnd::linkLive()
{
    std::lock_guard<std::mutex> lock(g_liveMutex);
    m_next = g_firstLive;
    if (g_firstLive)
        g_firstLive->m_prev = this;
    g_firstLive = this;
}

void CWnd::unlinkLive()
{
    std::lock_guard<std::mutex> lock(g_liveMutex);
    if (m_prev)
        m_prev->m_next = m_next;
    else if (g_firstLive == this)
        g_firstLive = m_next;
    if (m_next)
        m_next->m_prev = m_prev;
    m_prev = m_next = nullptr;
}

CWnd* CWnd::FromHandle(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    std::lock_guard<std::mutex> lock(g_liveMutex);
    for (CWnd* w = g_firstLive; w; w = w->m_next)
        if (w->IsAlive() && w->m_widget.data() == widget)
            return w;
    return nullptr;
}

void CWnd::setWidget(QWidget* widget, QQBridge* bridge)
{
    if (QWidget* old = m_widget.data()) {
        // Stop forwarding first: events still queued for the widget are dropped.
        if (m_bridge)
            m_bridge->detachOwner();
        // The window's own handlers are connected with the widget as context; others
        // (e.g. someone waiting for the widget's destruction) keep theirs.
        QObject::disconnect(old, nullptr, old, nullptr);
        old->hide();
        if (m_bridge && m_bridge->inEvent())
            old->deleteLater(); // we are inside one of its handlers
        else
            delete old;
    }
    m_backing.reset();
    m_invalid = m_present = QRegion();
    m_widget = widget;
    m_bridge = widget ? bridge : nullptr;
}

BOOL CWnd::Attach(CWnd* parent)
{
    // Widgets need a widget application and its thread.
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || QThread::currentThread() != app->thread())
        return FALSE;
    m_parent = parent;
    QWidget* pw = parent ? parent->GetWidget() : nullptr;
    auto* w = new QQWidget(this, pw);
    setWidget(w, w);
    w->setFocusPolicy(Qt::StrongFocus);
    return TRUE;
}

BOOL CWnd::Create(const char* className, const char* name, DWORD style, const CRect& rect,
    CWnd* parent, UINT id, void* context)
{
    BOOL ok = CreateEx(0, className, name, style, rect, parent, id, context);
    if (ok)
        m_widget->setMouseTracking(true);
    return ok;
}

BOOL CWnd::CreateEx(DWORD, const char*, const char* name, DWORD style, const CRect& rect,
    CWnd* parent, UINT id, void*)
{
    BOOL ok = Attach(parent);
    if (!ok)
        return ok;
    QWidget* w = m_widget.data();
    w->setVisible((style & WS_VISIBLE_BIT) != 0);
    w->setObjectName(textToQString(name));
    w->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    m_style = style;
    m_id = id;
    return ok;
}

void CWnd::placeControl(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    QWidget* w = GetWidget();
    w->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    w->setVisible((style & WS_VISIBLE_BIT) != 0);
    SetDlgCtrlID(id);
    if (parent && id)
        parent->AddDialogItem(this, id);
}

CMenu* CWnd::GetSystemMenu(BOOL)
{
    return nullptr;
}

CWnd* CWnd::SetParent(CWnd* parent)
{
    m_parent = parent;
    return nullptr;
}

CWnd* CWnd::GetTopParent()
{
    CWnd* w = this;
    while (w->m_parent)
        w = w->m_parent;
    return w;
}

BOOL CWnd::DestroyWindow()
{
    setWidget(nullptr);
    return TRUE;
}

void CWnd::AddDialogItem(CWnd*, UINT) { }
void CWnd::RemoveDialogItem(CWnd*) { }

CScrollBar* CWnd::GetScrollBarCtrl(int bar) const
{
    return bar == SB_VERT ? m_vScroll.get() : bar == SB_HORZ ? m_hScroll.get() : nullptr;
}

int CWnd::Notify(UINT sub, CWnd* target)
{
    if (!target)
        target = m_parent;
    if (m_id == 0 || !target)
        return -1;
    return target->UpdateMap(0, reinterpret_cast<LPARAM>(this), msgCommand, sub, m_id);
}

// Handlers that do nothing unless a window class overrides them.
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return FALSE;
}
void CWnd::OnDestroy() { }
void CWnd::OnSysCommand(UINT, LPARAM) { }
void CWnd::OnKeyUp(UINT, UINT, UINT) { }
void CWnd::OnKeyDown(UINT, UINT, UINT) { }
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return FALSE;
}
void CWnd::OnSetFocus(CWnd*) { }
void CWnd::OnKillFocus(CWnd*) { }
void CWnd::OnChar(UINT, UINT, UINT) { }
void CWnd::OnMenuSelect(UINT, UINT, void*) { }
void CWnd::menu_command(QAction*, int) { }
void CWnd::updateMenu(QAction*, int) { }

QSize CWnd::sizeHint() const
{
    return QSize();
}

// ---- event translation -------------------------------------------------------

void CWnd::mousePressEvent(QMouseEvent* e)
{
    UINT flags = mouseFlags(e);
    CPoint p(e->position().toPoint());
    if (e->button() == Qt::LeftButton)
        OnLButtonDown(flags | 1, p);
    else if (e->button() == Qt::RightButton)
        OnRButtonDown(flags | 2, p);
}

void CWnd::mouseReleaseEvent(QMouseEvent* e)
{
    UINT flags = mouseFlags(e);
    CPoint p(e->position().toPoint());
    if (e->button() == Qt::LeftButton)
        OnLButtonUp(flags | 1, p);
    else if (e->button() == Qt::RightButton)
        OnRButtonUp(flags | 2, p);
}

void CWnd::mouseMoveEvent(QMouseEvent* e)
{
    OnMouseMove(mouseFlags(e), CPoint(e->position().toPoint()));
}

void CWnd::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    QPoint p = e->position().toPoint();
    UpdateMap(mouseFlags(e) | 1, packPoint(p.x(), p.y()), msgLButtonDblClk);
}

void CWnd::resizeEvent(QResizeEvent*)
{
    QWidget* w = m_widget.data();
    if (!w)
        return;
    ensureBacking();
    UpdateMap(0, packPoint(w->width(), w->height()), msgSize);
    layoutScrollBars();
}

void CWnd::keyPressEvent(QKeyEvent* e)
{
    OnKeyDown(static_cast<UINT>(e->key()), 0, 0);
}

void CWnd::keyReleaseEvent(QKeyEvent* e)
{
    OnKeyUp(static_cast<UINT>(e->key()), 0, 0);
}

void CWnd::wheelEvent(QWheelEvent* e)
{
    QPoint d = e->angleDelta();
    auto delta = static_cast<short>(d.y() != 0 ? d.y() : d.x());
    UINT flags
        = static_cast<UINT>(e->modifiers().toInt()) | static_cast<UINT>(e->buttons().toInt());
    e->setAccepted(OnMouseWheel(flags, delta, CPoint(e->position().toPoint())) != FALSE);
}

void CWnd::focusInEvent(QFocusEvent*)
{
    OnSetFocus(nullptr);
}

void CWnd::focusOutEvent(QFocusEvent*)
{
    OnKillFocus(nullptr);
}

void CWnd::moveEvent(QMoveEvent* e)
{
    MsgPoint p { e->pos().x(), e->pos().y() };
    UpdateMap(0, reinterpret_cast<LPARAM>(&p), msgMove);
}

void CWnd::closeEvent(QCloseEvent*) { }
void CWnd::showEvent(QShowEvent*) { }
void CWnd::hideEvent(QHideEvent*) { }
void CWnd::leaveEvent(QEvent*) { }

void CWnd::dragEnterEvent(QDragEnterEvent* e)
{
    if (m_acceptDrops && e->mimeData() && e->mimeData()->hasUrls())
        e->acceptProposedAction();
    else
        e->ignore();
}

void CWnd::dragMoveEvent(QDragMoveEvent* e)
{
    if (m_acceptDrops)
        e->acceptProposedAction();
    else
        e->ignore();
}

void CWnd::dragLeaveEvent(QDragLeaveEvent*) { }

void CWnd::dropEvent(QDropEvent* e)
{
    if (m_acceptDrops)
        e->acceptProposedAction();
    else
        e->ignore();
}

// ---- painting ----------------------------------------------------------------

void CWnd::ensureBacking()
{
    QWidget* w = m_widget.data();
    if (!w)
        return;
    qreal dpr = w->devicePixelRatioF();
    QSize px = (QSizeF(w->size()) * dpr).toSize().expandedTo(QSize(1, 1));
    if (m_backing && m_backing->size() == px && m_backing->devicePixelRatio() == dpr)
        return;
    if (m_openContexts > 0)
        return; // a context is drawing into the current image
    auto img = std::make_unique<QImage>(px, QImage::Format_ARGB32_Premultiplied);
    img->setDevicePixelRatio(dpr);
    img->fill(w->palette().color(w->backgroundRole()));
    m_backing = std::move(img);
    m_invalid = QRegion(w->rect());
}

QPainter* CWnd::beginContextPaint()
{
    if (!m_widget)
        return nullptr;
    if (m_openContexts == 0) {
        ensureBacking();
        auto painter = std::make_unique<QPainter>();
        if (!m_backing || !painter->begin(m_backing.get()))
            return nullptr;
        if (m_painting)
            painter->setClipRegion(m_paintRegion);
        m_painter = std::move(painter);
    }
    ++m_openContexts;
    return m_painter.get();
}

void CWnd::endContextPaint()
{
    if (m_openContexts == 0 || --m_openContexts > 0)
        return;
    m_painter.reset();
    // Outside a paint event the drawing is shown at the next paint without
    // asking the application to repaint.
    if (!m_painting && m_widget) {
        m_present += m_widget->rect();
        m_widget->update();
    }
}

void CWnd::paintEvent(QPaintEvent* e)
{
    QWidget* w = m_widget.data();
    if (!w)
        return;
    ensureBacking();
    if (!m_backing)
        return;
    QRegion app = e->region() - (m_present - m_invalid);
    m_present -= e->region();
    m_invalid -= e->region();
    if (!app.isEmpty() && m_openContexts == 0) {
        {
            QPainter p(m_backing.get());
            p.setClipRegion(app);
            p.fillRect(w->rect(), w->palette().color(w->backgroundRole()));
        }
        m_painting = true;
        m_paintRegion = app;
        {
            CClientDC dc(this);
            OnEraseBkgnd(&dc);
        }
        UpdateMap(0, 0, msgPaint);
        m_painting = false;
        m_paintRegion = QRegion();
    }
    QPainter wp(w);
    wp.setClipRegion(e->region());
    wp.drawImage(QPoint(0, 0), *m_backing);
}

void CWnd::Invalidate(BOOL)
{
    if (QWidget* w = m_widget.data()) {
        m_invalid += w->rect();
        w->update();
    }
}

void CWnd::InvalidateRect(const CRect* r, BOOL erase)
{
    if (!r) {
        Invalidate(erase);
        return;
    }
    if (QWidget* w = m_widget.data()) {
        QRect q = r->toQRect();
        m_invalid += q;
        w->update(q);
    }
}

void CWnd::UpdateWindow()
{
    QWidget* w = m_widget.data();
    if (!w || !w->isVisible())
        return;
    QRegion pending = m_invalid + m_present;
    if (!pending.isEmpty())
        w->repaint(pending);
}

// ---- geometry, state -----------------------------------------------------------

BOOL CWnd::ShowWindow(int cmd)
{
    if (QWidget* w = m_widget.data()) {
        if (cmd == 0)
            w->hide();
        else if (cmd == 1)
            w->show();
    }
    return TRUE;
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    QWidget* w = m_widget.data();
    if (!w)
        return;
    w->setGeometry(x, y, std::max(0, width), std::max(0, height));
    if (repaint)
        Invalidate();
}

void CWnd::MoveWindow(const CRect& r, BOOL repaint)
{
    MoveWindow(r.left, r.top, r.Width(), r.Height(), repaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT flags)
{
    QWidget* w = m_widget.data();
    if (!w)
        return TRUE;
    if (flags & wpHide)
        w->hide();
    QRect g = w->geometry();
    if (flags & wpNoMove) {
        x = g.x();
        y = g.y();
    }
    if (flags & wpNoSize) {
        cx = g.width();
        cy = g.height();
    }
    w->setGeometry(x, y, std::max(0, cx), std::max(0, cy));
    if (flags & wpShow)
        w->show();
    return TRUE;
}

void CWnd::GetWindowRect(CRect* r) const
{
    if (!r)
        return;
    QWidget* w = m_widget.data();
    if (!w) {
        r->SetRectEmpty();
        return;
    }
    QPoint o = w->mapToGlobal(QPoint(0, 0));
    r->SetRect(o.x(), o.y(), o.x() + w->width(), o.y() + w->height());
}

void CWnd::GetClientRect(CRect* r) const
{
    if (!r)
        return;
    QWidget* w = m_widget.data();
    if (!w) {
        r->SetRectEmpty();
        return;
    }
    int width = w->width(), height = w->height();
    if (m_vScroll && m_vScroll->GetWidget() && m_vScroll->GetWidget()->isVisible())
        width -= CScrollBar::kThickness;
    if (m_hScroll && m_hScroll->GetWidget() && m_hScroll->GetWidget()->isVisible())
        height -= CScrollBar::kThickness;
    r->SetRect(0, 0, width, height);
}

void CWnd::ScreenToClient(CPoint* p) const
{
    if (p && m_widget)
        *p = CPoint(m_widget->mapFromGlobal(QPoint(*p)));
}

void CWnd::ScreenToClient(CRect* r) const
{
    if (!r || !m_widget)
        return;
    QPoint d = m_widget->mapFromGlobal(QPoint(0, 0));
    r->OffsetRect(d.x(), d.y());
}

void CWnd::ClientToScreen(CPoint* p) const
{
    if (p && m_widget)
        *p = CPoint(m_widget->mapToGlobal(QPoint(*p)));
}

void CWnd::ClientToScreen(CRect* r) const
{
    if (!r || !m_widget)
        return;
    QPoint d = m_widget->mapToGlobal(QPoint(0, 0));
    r->OffsetRect(d.x(), d.y());
}

int CWnd::EnableWindow(BOOL enable)
{
    if (QWidget* w = m_widget.data())
        w->setEnabled(enable != FALSE);
    return 0;
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_widget && m_widget->isEnabled();
}

BOOL CWnd::IsWindowVisible() const
{
    return m_widget && m_widget->isVisible();
}

void CWnd::SetFocus()
{
    if (QWidget* w = m_widget.data())
        w->setFocus(Qt::OtherFocusReason);
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(QApplication::focusWidget());
}

void CWnd::SetCapture()
{
    if (QWidget* w = m_widget.data())
        w->grabMouse();
}

void CWnd::ReleaseCapture()
{
    if (QWidget* w = QWidget::mouseGrabber())
        w->releaseMouse();
}

CWnd* CWnd::GetCapture()
{
    return FromHandle(QWidget::mouseGrabber());
}

void CWnd::BringWindowToTop()
{
    QWidget* w = m_widget.data();
    if (!w)
        return;
    bool visible = w->isVisible();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, true); // hides a shown window
    if (visible)
        w->show();
    w->raise();
}

void CWnd::setEraseColor(COLORREF colour)
{
    QWidget* w = m_widget.data();
    if (!w)
        return;
    QPalette pal = w->palette();
    pal.setColor(w->backgroundRole(), ColorFromArgb(colour));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
    m_backing.reset(); // the next paint starts from the new colour
    w->update();
}

LONG CWnd::GetWindowLong(int index) const
{
    if (index == GWL_STYLE) {
        DWORD s = m_style & ~WS_VISIBLE_BIT;
        if (m_widget && m_widget->isVisible())
            s |= WS_VISIBLE_BIT;
        return static_cast<LONG>(s);
    }
    if (index == GWL_USERDATA)
        return m_userWord;
    return 0;
}

LONG CWnd::SetWindowLong(int index, LONG value)
{
    if (index == GWL_USERDATA) {
        LONG old = m_userWord;
        m_userWord = value;
        return old;
    }
    if (index != GWL_STYLE)
        return 0;
    LONG old = GetWindowLong(GWL_STYLE);
    auto style = static_cast<DWORD>(value);
    m_style = style;
    // A style gaining a scroll bar bit gives the window its own bar.
    auto ownBar = [this](std::unique_ptr<CScrollBar>& bar, bool vertical) {
        if (bar || !m_widget)
            return;
        bar = std::make_unique<CScrollBar>();
        bar->CreateOwn(this, vertical);
        CScrollBar* b = bar.get();
        QObject::connect(b->scrollBar(), &QScrollBar::valueChanged, b->GetWidget(),
            [this, b](int v) { scrollBarMoved(b, v); });
    };
    if (style & WS_OWN_HSCROLL)
        ownBar(m_hScroll, false);
    if (style & WS_OWN_VSCROLL)
        ownBar(m_vScroll, true);
    if (m_hScroll)
        m_hScroll->Show((style & WS_OWN_HSCROLL) != 0);
    if (m_vScroll)
        m_vScroll->Show((style & WS_OWN_VSCROLL) != 0);
    layoutScrollBars();
    return old;
}

void CWnd::scrollBarMoved(CScrollBar* bar, int value)
{
    if (bar == m_vScroll.get())
        OnVScroll(8, static_cast<UINT>(value), bar);
    else
        OnHScroll(8, static_cast<UINT>(value), bar);
}

void CWnd::layoutScrollBars()
{
    QWidget* w = m_widget.data();
    if (!w)
        return;
    const int t = CScrollBar::kThickness;
    bool hv = m_hScroll && m_hScroll->GetWidget() && !m_hScroll->GetWidget()->isHidden();
    bool vv = m_vScroll && m_vScroll->GetWidget() && !m_vScroll->GetWidget()->isHidden();
    if (vv)
        m_vScroll->GetWidget()->setGeometry(w->width() - t, 0, t, w->height() - (hv ? t : 0));
    if (hv)
        m_hScroll->GetWidget()->setGeometry(0, w->height() - t, w->width() - (vv ? t : 0), t);
}

void CWnd::DragAcceptFiles(BOOL accept)
{
    m_acceptDrops = accept != FALSE;
    if (QWidget* w = m_widget.data())
        w->setAcceptDrops(m_acceptDrops);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT flags, const char* detail)
{
    return FrameworkMessageBox(
        m_widget.data(), textToQString(text), textToQString(caption), flags, textToQString(detail));
}

void CWnd::SetWindowText(const char* text)
{
    if (QWidget* w = m_widget.data())
        w->setWindowTitle(textToQString(text));
}

void CWnd::GetWindowText(CString& text) const
{
    text = m_widget ? CString(m_widget->windowTitle()) : CString();
}

void CWnd::SetFontPointSize(int points)
{
    if (QWidget* w = m_widget.data()) {
        QFont f = w->font();
        f.setPointSize(std::max(1, points));
        w->setFont(f);
    }
}

// ---- messages and timers ---------------------------------------------------------

int CWnd::PostMessage(UINT code, WPARAM w, LPARAM l)
{
    return ::PostMessage(m_widget.data(), code, w, l);
}

int CWnd::SendMessage(UINT code, WPARAM w, LPARAM l)
{
    if (QWidget* widget = m_widget.data())
        return ::SendMessage(widget, code, w, l);
    return UpdateMap(w, l, code) != -1 ? 1 : 0;
}

UINT CWnd::SetTimer(UINT, UINT ms, void*)
{
    QWidget* w = m_widget.data();
    if (!w)
        return 0;
    int id = w->startTimer(static_cast<int>(ms));
    return id > 0 ? static_cast<UINT>(id) : 0;
}

BOOL CWnd::KillTimer(UINT id)
{
    if (QWidget* w = m_widget.data(); w && id > 0)
        w->killTimer(static_cast<int>(id));
    return TRUE;
}
