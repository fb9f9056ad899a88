// How the routing model asks a window to repaint part of itself. The model
// links no widget code, so the window side installs a handler (normally one
// that calls CWnd::InvalidateRect); without one, invalidation does nothing.
#pragma once

class CWnd;
class CRect;

using RepaintHandler = void (*)(CWnd* wnd, const CRect& r, bool erase);

// Installs handler (null removes it) and returns the previous one.
RepaintHandler SetRepaintHandler(RepaintHandler handler);

// Marks r of wnd for repainting; nothing for a null window or no handler.
void RepaintRect(CWnd* wnd, const CRect& r, bool erase);
