#pragma once
#include "MsgEvent.h"
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QWidget>
#include <type_traits>

class CWnd;

// What a window object needs to know about the toolkit widget it owns: whether
// the widget is inside one of its own event handlers (so it must not be deleted
// at once) and how to stop it forwarding.
class QQBridge {
public:
    virtual ~QQBridge() = default;
    virtual void detachOwner() = 0;
    virtual bool inEvent() const = 0;
};

// Forwards a toolkit widget's events to the owning window object while the owner
// is alive, then lets the toolkit's own handling run. Dialog widgets forward
// neither wheel nor focus events.
template <class Base> class QQForward : public Base, public QQBridge {
public:
    static constexpr bool isDialog = std::is_base_of_v<QDialog, Base>;

    explicit QQForward(CWnd* owner, QWidget* parent = nullptr)
        : Base(parent)
        , m_owner(owner)
    {
    }
    ~QQForward() override { m_owner = nullptr; }

    CWnd* owner() const { return m_owner; }
    void detachOwner() override { m_owner = nullptr; }
    bool inEvent() const override { return m_depth > 0; }
    QSize sizeHint() const override;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void timerEvent(QTimerEvent* e) override;

private:
    CWnd* m_owner;
    int m_depth = 0;
};

// The widget of a plain framework window.
class QQWidget : public QQForward<QWidget> {
public:
    explicit QQWidget(CWnd* owner, QWidget* parent = nullptr)
        : QQForward<QWidget>(owner, parent)
    {
    }
};

#include "QQForward.inl"
