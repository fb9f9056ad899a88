#include "CommsWaitCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QThread>

CommsWaitCursor::CommsWaitCursor()
{
    // Only a GUI application on its own thread has a cursor to change.
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app && QThread::currentThread() == app->thread()) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        shown_ = true;
    }
}

CommsWaitCursor::~CommsWaitCursor()
{
    if (shown_)
        QGuiApplication::restoreOverrideCursor();
}
