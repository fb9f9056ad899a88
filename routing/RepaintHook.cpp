#include "RepaintHook.h"

namespace {
RepaintHandler currentHandler = nullptr;
}

RepaintHandler SetRepaintHandler(RepaintHandler handler)
{
    RepaintHandler previous = currentHandler;
    currentHandler = handler;
    return previous;
}

void RepaintRect(CWnd* wnd, const CRect& r, bool erase)
{
    if (wnd && currentHandler)
        currentHandler(wnd, r, erase);
}
