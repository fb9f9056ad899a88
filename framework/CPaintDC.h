#pragma once
#include "CClientDC.h"

// The drawing context of a paint handler: draws into the window's backing image,
// clipped to the area being repainted. Used outside a paint event it behaves as
// a client context.
class CPaintDC : public CClientDC {
public:
    explicit CPaintDC(CWnd* window)
        : CClientDC(window)
    {
    }
};
