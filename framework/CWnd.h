#pragma once
#include "CCmdTarget.h"
#include "CString.h"
#include "FrameworkTypes.h"
#include "Geometry.h"
#include <QColor>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <memory>

class CDC;
class CMenu;
class CScrollBar;
class QAction;
class QImage;
class QPainter;
class QWidget;
class QQBridge;
class QPaintEvent;
class QMouseEvent;
class QResizeEvent;
class QKeyEvent;
class QWheelEvent;
class QFocusEvent;
class QMoveEvent;
class QCloseEvent;
class QShowEvent;
class QHideEvent;
class QDragEnterEvent;
class QDragMoveEvent;
class QDragLeaveEvent;
class QDropEvent;
class QEvent;

// SetWindowPos flags.
constexpr UINT wpHide = 0x4;
constexpr UINT wpNoMove = 0x20;
constexpr UINT wpNoSize = 0x400;
constexpr UINT wpShow = 0x1000;

// Window style bits the framework reads.
constexpr DWORD WS_VISIBLE_BIT = 0x2;
constexpr DWORD WS_OWN_HSCROLL = 0x10;
constexpr DWORD WS_OWN_VSCROLL = 0x20;

// Indices of GetWindowLong / SetWindowLong.
constexpr int GWL_STYLE = 0;
constexpr int GWL_USERDATA = 6;

// Scroll bar selectors of GetScrollBarCtrl.
constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;

// A framework window: owns one toolkit widget and turns its events into virtual
// On... calls and message-map messages.
class CWnd : public CCmdTarget {
public:
    CWnd();
    explicit CWnd(CWnd* parent);
    ~CWnd() override;

    // Creates the widget as a child of the parent's widget (top-level without a
    // parent). TRUE on success.
    virtual BOOL Attach(CWnd* parent);
    // The window's own menu; plain windows have none.
    virtual CMenu* GetSystemMenu(BOOL revert);

    // Toolkit event entry points, called by the widget while this window lives.
    virtual void paintEvent(QPaintEvent* e);
    virtual void mousePressEvent(QMouseEvent* e);
    virtual void mouseReleaseEvent(QMouseEvent* e);
    virtual void mouseMoveEvent(QMouseEvent* e);
    virtual void mouseDoubleClickEvent(QMouseEvent* e);
    virtual void resizeEvent(QResizeEvent* e);
    virtual void keyPressEvent(QKeyEvent* e);
    virtual void keyReleaseEvent(QKeyEvent* e);
    virtual void wheelEvent(QWheelEvent* e); // accepts the event when handled
    virtual void focusInEvent(QFocusEvent* e);
    virtual void focusOutEvent(QFocusEvent* e);
    virtual void moveEvent(QMoveEvent* e);
    virtual void closeEvent(QCloseEvent* e);
    virtual void showEvent(QShowEvent* e);
    virtual void hideEvent(QHideEvent* e);
    virtual void dragEnterEvent(QDragEnterEvent* e);
    virtual void dragMoveEvent(QDragMoveEvent* e);
    virtual void dragLeaveEvent(QDragLeaveEvent* e);
    virtual void dropEvent(QDropEvent* e);
    virtual void leaveEvent(QEvent* e);
    // Preferred size; an invalid size means the toolkit's own.
    virtual QSize sizeHint() const;

    virtual BOOL Create(const char* className, const char* name, DWORD style, const CRect& rect,
        CWnd* parent, UINT id, void* context = nullptr);
    virtual void SetWindowText(const char* text);
    virtual void GetWindowText(CString& text) const;
    virtual BOOL DestroyWindow();
    virtual void AddDialogItem(CWnd* control, UINT id);
    virtual void RemoveDialogItem(CWnd* control);
    virtual CScrollBar* GetScrollBarCtrl(int bar) const;
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    virtual void OnDestroy();
    virtual void OnSysCommand(UINT id, LPARAM l);
    virtual void OnKeyUp(UINT key, UINT repeat, UINT flags);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnSetFocus(CWnd* old);
    virtual void OnKillFocus(CWnd* next);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual void OnMenuSelect(UINT item, UINT flags, void* menu);
    virtual void menu_command(QAction* action, int id);
    virtual void updateMenu(QAction* action, int id);

    BOOL CreateEx(DWORD exStyle, const char* className, const char* name, DWORD style,
        const CRect& rect, CWnd* parent, UINT id, void* context = nullptr);
    // The live window owning widget, or null.
    static CWnd* FromHandle(const QWidget* widget);
    // TRUE while the object has not started to be destroyed.
    BOOL IsAlive() const { return m_alive == this; }

    QWidget* GetWidget() const { return m_widget.data(); }
    CWnd* GetParent() const { return m_parent; }
    CWnd* SetParent(CWnd* parent); // changes only the pointer; returns null
    UINT GetDlgCtrlID() const { return m_id; }
    void SetDlgCtrlID(UINT id) { m_id = id; }
    // The top-most window of the parent chain (this window when it has no parent).
    CWnd* GetTopParent();

    virtual BOOL ShowWindow(int cmd); // 0 hides, 1 shows, others ignored
    void MoveWindow(int x, int y, int w, int h, BOOL repaint = TRUE);
    void MoveWindow(const CRect& r, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(CRect* r) const;
    void GetWindowRect(CRect& r) const { GetWindowRect(&r); }
    void GetClientRect(CRect* r) const;
    void GetClientRect(CRect& r) const { GetClientRect(&r); }
    void ScreenToClient(CPoint* p) const;
    void ScreenToClient(CRect* r) const;
    void ClientToScreen(CPoint* p) const;
    void ClientToScreen(CRect* r) const;
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(const CRect* r, BOOL erase = TRUE);
    void InvalidateRect(const CRect& r, BOOL erase = TRUE) { InvalidateRect(&r, erase); }
    void UpdateWindow();
    int EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    void SetFocus();
    static CWnd* GetFocus();
    void SetCapture();
    static void ReleaseCapture();
    static CWnd* GetCapture();
    void BringWindowToTop();
    void setEraseColor(COLORREF colour);
    LONG GetWindowLong(int index) const;
    LONG SetWindowLong(int index, LONG value);
    void DragAcceptFiles(BOOL accept = TRUE);
    int MessageBox(const char* text, const char* caption = nullptr, UINT flags = 0,
        const char* detail = nullptr);
    void SetFontPointSize(int points);

    int PostMessage(UINT code, WPARAM w = 0, LPARAM l = 0);
    int SendMessage(UINT code, WPARAM w = 0, LPARAM l = 0);
    // Starts a repeating timer; the requested id and callback are not used. Returns
    // the id OnTimer will receive and KillTimer must be given.
    UINT SetTimer(UINT requestedId, UINT ms, void* callback = nullptr);
    BOOL KillTimer(UINT id);

    // Painting through a backing image: the drawing of client contexts lands in
    // the image and reaches the screen at the next paint; paint handlers draw into
    // it too. The context classes use these.
    // beginContextPaint returns the window's shared painter (null without a
    // widget); every successful call is paired with one endContextPaint.
    QPainter* beginContextPaint();
    void endContextPaint();

protected:
    // Dispatches a control notification to `target` (the parent by default):
    // msgCommand with sub-code `sub` and this control's id; nothing for id 0.
    int Notify(UINT sub, CWnd* target = nullptr);
    // Takes over a toolkit widget created by a control or dialog.
    void setWidget(QWidget* widget, QQBridge* bridge = nullptr);
    // Places a control's widget at rect, shows it when style has WS_VISIBLE_BIT and
    // gives it the id; files it among the parent's dialog items when both are given.
    void placeControl(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    // Places the own scroll bars along the right and bottom edges.
    void layoutScrollBars();
    CWnd* m_parent = nullptr;

private:
    void init();
    void linkLive();
    void unlinkLive();
    void ensureBacking();
    void scrollBarMoved(CScrollBar* bar, int value);

    CWnd* m_alive = nullptr;
    DWORD m_style = 0;
    LONG m_userWord = 0;
    std::unique_ptr<CScrollBar> m_hScroll;
    std::unique_ptr<CScrollBar> m_vScroll;
    CWnd* m_prev = nullptr;
    CWnd* m_next = nullptr;
    QPointer<QWidget> m_widget;
    QQBridge* m_bridge = nullptr;
    UINT m_id = 0;
    bool m_acceptDrops = false;

    std::unique_ptr<QImage> m_backing;
    QRegion m_invalid; // areas the application must repaint
    QRegion m_present; // areas drawn by client contexts, only to be shown
    QRegion m_paintRegion;
    bool m_painting = false;
    int m_openContexts = 0;
    std::unique_ptr<QPainter> m_painter;
};
