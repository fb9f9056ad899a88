#pragma once
#include "CDC.h"

class CWnd;

// A drawing context on a window outside its paint handler (and for the erase
// step of a paint). What it draws lands in the window's backing image and
// reaches the screen at the window's next paint, which it schedules when it ends;
// the application's paint handler is not asked to redraw for it.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;

    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

protected:
    CWnd* m_wnd;
    bool m_open = false;
};
