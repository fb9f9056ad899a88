#pragma once
#include "CWnd.h"

class CDialog;
class QLayout;
class QSlider;
class QWidget;

// A slider shown inverted (values grow downward on a vertical one). Each value
// change by the user sends msgVScroll (vertical) or msgHScroll (horizontal) to the
// dialog with w = (value clamped to the range) << 16 | 8 and l = this control (as a
// CWnd*). Positions and ranges set by the program send nothing.
class NQSlider : public CWnd {
public:
    NQSlider() = default;
    NQSlider(CDialog* dialog, UINT id, QLayout* layout, Qt::Orientation orientation,
        int minHeight = 0, int maxHeight = 0);
    NQSlider(CDialog* dialog, UINT id, QWidget* parent, Qt::Orientation orientation,
        int minHeight = 0, int maxHeight = 0);

    BOOL Create(CDialog* dialog, UINT id, QLayout* layout, Qt::Orientation orientation,
        int minHeight = 0, int maxHeight = 0);
    BOOL Create(CDialog* dialog, UINT id, QWidget* parent, Qt::Orientation orientation,
        int minHeight = 0, int maxHeight = 0);

    void SetRange(int minPos, int maxPos, BOOL redraw = FALSE);
    int GetPos() const;
    void SetPos(int pos);
    QSlider* slider() const;

private:
    void setUp(CDialog* dialog, UINT id, QWidget* parent, Qt::Orientation orientation,
        int minHeight, int maxHeight);
    void valueChanged(int value);
    bool m_programChange = false;
};
