// Member definitions of QQForward, included by QQWidget.h.
#include "CWnd.h"
#include <QMouseEvent>
#include <QTimerEvent>
#include <QWheelEvent>

template <class Base> QSize QQForward<Base>::sizeHint() const
{
    QSize s = m_owner ? m_owner->sizeHint() : QSize();
    return s.isValid() ? s : Base::sizeHint();
}

template <class Base> bool QQForward<Base>::event(QEvent* e)
{
    ++m_depth;
    bool handled;
    int r = dispatchMsgEvent(m_owner, e);
    if (r != -2)
        handled = r != -1;
    else
        handled = Base::event(e);
    --m_depth;
    return handled;
}

template <class Base> void QQForward<Base>::paintEvent(QPaintEvent* e)
{
    if (m_owner)
        m_owner->paintEvent(e);
    else
        Base::paintEvent(e);
}

// A window consumes its own mouse events: they never travel on to the parent.
template <class Base> void QQForward<Base>::mousePressEvent(QMouseEvent* e)
{
    Base::mousePressEvent(e);
    if (m_owner) {
        e->accept();
        m_owner->mousePressEvent(e);
    }
}

template <class Base> void QQForward<Base>::mouseReleaseEvent(QMouseEvent* e)
{
    Base::mouseReleaseEvent(e);
    if (m_owner) {
        e->accept();
        m_owner->mouseReleaseEvent(e);
    }
}

template <class Base> void QQForward<Base>::mouseMoveEvent(QMouseEvent* e)
{
    Base::mouseMoveEvent(e);
    if (m_owner) {
        e->accept();
        m_owner->mouseMoveEvent(e);
    }
}

// The toolkit's default turns a double click into a second press; the framework
// reports it as a double-click message instead.
template <class Base> void QQForward<Base>::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (m_owner) {
        e->accept();
        m_owner->mouseDoubleClickEvent(e);
    } else {
        Base::mouseDoubleClickEvent(e);
    }
}

template <class Base> void QQForward<Base>::resizeEvent(QResizeEvent* e)
{
    if (m_owner)
        m_owner->resizeEvent(e);
    Base::resizeEvent(e);
}

template <class Base> void QQForward<Base>::keyPressEvent(QKeyEvent* e)
{
    if (m_owner)
        m_owner->keyPressEvent(e);
    Base::keyPressEvent(e);
}

template <class Base> void QQForward<Base>::keyReleaseEvent(QKeyEvent* e)
{
    if (m_owner)
        m_owner->keyReleaseEvent(e);
    Base::keyReleaseEvent(e);
}

template <class Base> void QQForward<Base>::wheelEvent(QWheelEvent* e)
{
    if constexpr (!isDialog) {
        if (m_owner) {
            e->ignore();
            m_owner->wheelEvent(e);
            if (e->isAccepted())
                return;
        }
    }
    Base::wheelEvent(e);
}

template <class Base> void QQForward<Base>::focusInEvent(QFocusEvent* e)
{
    if constexpr (!isDialog) {
        if (m_owner)
            m_owner->focusInEvent(e);
    }
    Base::focusInEvent(e);
}

template <class Base> void QQForward<Base>::focusOutEvent(QFocusEvent* e)
{
    if constexpr (!isDialog) {
        if (m_owner)
            m_owner->focusOutEvent(e);
    }
    Base::focusOutEvent(e);
}

template <class Base> void QQForward<Base>::moveEvent(QMoveEvent* e)
{
    if (m_owner)
        m_owner->moveEvent(e);
    Base::moveEvent(e);
}

template <class Base> void QQForward<Base>::closeEvent(QCloseEvent* e)
{
    if (m_owner)
        m_owner->closeEvent(e);
    Base::closeEvent(e);
}

template <class Base> void QQForward<Base>::showEvent(QShowEvent* e)
{
    if (m_owner)
        m_owner->showEvent(e);
    Base::showEvent(e);
}

template <class Base> void QQForward<Base>::hideEvent(QHideEvent* e)
{
    if (m_owner)
        m_owner->hideEvent(e);
    Base::hideEvent(e);
}

template <class Base> void QQForward<Base>::dragEnterEvent(QDragEnterEvent* e)
{
    if (m_owner)
        m_owner->dragEnterEvent(e);
    else
        Base::dragEnterEvent(e);
}

template <class Base> void QQForward<Base>::dragMoveEvent(QDragMoveEvent* e)
{
    if (m_owner)
        m_owner->dragMoveEvent(e);
    else
        Base::dragMoveEvent(e);
}

template <class Base> void QQForward<Base>::dragLeaveEvent(QDragLeaveEvent* e)
{
    if (m_owner)
        m_owner->dragLeaveEvent(e);
    Base::dragLeaveEvent(e);
}

template <class Base> void QQForward<Base>::dropEvent(QDropEvent* e)
{
    if (m_owner)
        m_owner->dropEvent(e);
    else
        Base::dropEvent(e);
}

template <class Base> void QQForward<Base>::leaveEvent(QEvent* e)
{
    if (m_owner)
        m_owner->leaveEvent(e);
    Base::leaveEvent(e);
}

template <class Base> void QQForward<Base>::timerEvent(QTimerEvent* e)
{
    if (m_owner)
        m_owner->UpdateMap(static_cast<WPARAM>(e->timerId()), 0, msgTimer);
    else
        Base::timerEvent(e);
}
