#pragma once
#include "FrameworkTypes.h"

#include <functional>

class CWinApp;
class CWnd;

// The application object, or null when none exists.
CWinApp* AfxGetApp();
// The application's main window, or null.
CWnd* AfxGetMainWnd();

// Pushes pending drawing to the screen and yields the processor to other threads;
// runs no other events. Returns 1. Used inside the editor's wait loops.
int idle();
// Replaces the processor yield of idle(), e.g. where nothing else waits for the
// processor; an empty function restores the yield.
void setIdleYield(std::function<void()> yield);

// Shows the wait cursor on the main window while it lives; nestable.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
