#pragma once
// Helpers for window tests on the offscreen platform: user input as the
// toolkit delivers it, and answering modal loops so nothing blocks.
#include "TestEnv.h"

#include <QApplication>
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
    pumpUntil([] { return false; }, ms);
}

// Waits until the window of w is shown and exposed.
inline bool waitExposed(QWidget* w)
{
    return pumpUntil(
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
// A left click in the middle of w.
inline void clickWidget(QWidget* w)
{
    press(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    release(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
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
