#pragma once
#include "CDialog.h"
#include "NVDial.h"

// One row of a dialog's resize table: a control that keeps its distance to the
// right and/or bottom edge when the dialog is resized. A row with id 0 ends it.
struct TrackDesc {
    UINT id;
    BOOL keepRight;
    BOOL keepBottom;
};

// A dialog whose screen rectangle persists under a settings entry (SetName) and
// follows its moves and resizes.
class NDialog : public CDialog {
    Q_DECLARE_MESSAGE_MAP(NDialog)
public:
    explicit NDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~NDialog() override;

    // Binds the rectangle to entry `name` and restores the saved position.
    void SetName(const char* name);
    NVDial& sizer() { return m_rect; }

    void OnSize(UINT type, int cx, int cy);
    void OnMove(int x, int y);

protected:
    // Controls to re-lay out on resize; none by default.
    virtual const TrackDesc* GetTrackDesc() const { return nullptr; }

private:
    NVDial m_rect;
    int m_lastWidth = -1;
    int m_lastHeight = -1;
};
