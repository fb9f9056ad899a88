#pragma once
// Helpers for window tests on the offscreen platform: waiting for conditions
// while the event loop runs, and answering modal loops so nothing blocks.
#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Processes events until pred holds or ms pass; returns pred's last answer.
inline bool waitUntil(const std::function<bool()>& pred, int ms = 3000)
{
    QDeadlineTimer deadline(ms);
    while (!pred()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Runs fn on the first modal widget that shows up. When none turns up within
// timeoutMs, the test fails and every modal dialog is rejected so the test ends.
inline void whenModal(std::function<void(QWidget*)> fn, int timeoutMs = 4000)
{
    auto* timer = new QTimer(qApp);
    auto started = std::make_shared<QDeadlineTimer>(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, fn, started] {
        if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            fn(w);
            return;
        }
        if (started->hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window appeared";
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QDialog*>(top); d && d->isVisible())
                    d->reject();
        }
    });
    timer->start(10);
}

// Lets the event loop run for ms milliseconds.
inline void runFor(int ms)
{
    waitUntil([] { return false; }, ms);
}

// Waits until the window of w is shown and exposed.
inline bool waitExposed(QWidget* w)
{
    return waitUntil(
        [w] { return w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed(); });
}

// Toolkit input events delivered to a widget as the toolkit delivers them.
inline void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
    Qt::KeyboardModifiers mods, QPoint pos)
{
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, mods);
    QApplication::sendEvent(w, &e);
}
inline void press(QWidget* w, Qt::MouseButton b, Qt::KeyboardModifiers mods, QPoint pos)
{
    sendMouse(w, QEvent::MouseButtonPress, b, b, mods, pos);
}
inline void release(QWidget* w, Qt::MouseButton b, Qt::KeyboardModifiers mods, QPoint pos)
{
    sendMouse(w, QEvent::MouseButtonRelease, b, Qt::NoButton, mods, pos);
}
inline void moveTo(QWidget* w, QPoint pos, Qt::MouseButtons held = Qt::NoButton)
{
    sendMouse(w, QEvent::MouseMove, Qt::NoButton, held, Qt::NoModifier, pos);
}
inline void keyClick(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
    const QString& text = QString())
{
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &up);
}
inline void typeText(QWidget* w, const QString& text)
{
    for (QChar c : text)
        keyClick(w, c.toUpper().unicode(), Qt::NoModifier, QString(c));
}
