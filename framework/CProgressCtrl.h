#pragma once
#include "CWnd.h"

class QProgressBar;

// A progress bar control.
class CProgressCtrl : public CWnd {
public:
    CProgressCtrl() = default;

    // Makes the bar once (later calls keep it); shown when style has bit 0x2.
    BOOL Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    void SetRange32(int lo, int hi);
    void GetRange(int& lo, int& hi) const;
    // Returns the previous position.
    int SetPos(int pos);
    int GetPos() const;
    QProgressBar* bar() const;
};
