#include "AppGlobals.h"
#include "CWinApp.h"
#include <QCoreApplication>
#include <QEvent>
#include <thread>

CWinApp* AfxGetApp()
{
    return theApp;
}

CWnd* AfxGetMainWnd()
{
    // Read on every call rather than cached: a cached pointer would outlive the
    // main frame it points to.
    return theApp ? theApp->m_pMainWnd : nullptr;
}

namespace {

std::function<void()>& idleYield()
{
    static std::function<void()> yield;
    return yield;
}

} // namespace

int idle()
{
    // Drawing reaches the screen through pending update requests; other posted
    // events (replies, timers) wait for the event loop.
    if (QCoreApplication::instance())
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    if (const auto& yield = idleYield())
        yield();
    else
        std::this_thread::yield();
    return 1;
}

void setIdleYield(std::function<void()> yield)
{
    idleYield() = std::move(yield);
}

WaitCursor::WaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(1);
}

WaitCursor::~WaitCursor()
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(-1);
}
