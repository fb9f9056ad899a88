#pragma once
// The colour dialog: one swatch per editable colour. A choice is stored the
// moment it is made; Cancel puts back the colours the dialog opened with and
// "Defaults" stores every colour's default with its alpha byte cleared.

#include "NDialog.h"
#include "RoleColors.h"

#include <memory>
#include <vector>

// CWnd.h reads its widget pointer inline, which needs the complete widget type.
#include <QWidget>

class ColorWind;
class NQButton;
class NQGroupBox;
class NQLabel;

class ColorDialog : public NDialog {
    Q_DECLARE_MESSAGE_MAP(ColorDialog)
public:
    // The editor passes (&colorDialogIds, colorDesc, 0, null, null); the
    // third and fourth arguments are not used.
    ColorDialog(const ColorDialogIds* ids, const ColorWindDesc* desc, int unused = 0,
        unsigned* unusedFlags = nullptr, CWnd* parent = nullptr);
    ~ColorDialog() override;

    void QCreate() override;
    void OnCancel() override;

    // Clicks of ids 1000..65535: "Defaults" resets, OK ends the dialog.
    void OnControl(UINT id);
    void OnReset();

    ColorWind* GetSwatch(int row) const;

private:
    ColorDialogIds ids;
    const ColorWindDesc* desc;
    int rowCount = 0;
    std::vector<COLORREF> saved; // each row's colour when the dialog was built
    std::vector<std::unique_ptr<ColorWind>> swatches;
    std::vector<std::unique_ptr<NQLabel>> labels;
    std::unique_ptr<NQGroupBox> group;
    std::unique_ptr<NQButton> okButton;
    std::unique_ptr<NQButton> cancelButton;
    std::unique_ptr<NQButton> defaultsButton;
};
