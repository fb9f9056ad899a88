#include "ColorDialog.h"

#include "ColorWind.h"
#include "NQButton.h"
#include "NQGroupBox.h"
#include "NQLabel.h"

#include <QBoxLayout>
#include <QGroupBox>

Q_BEGIN_MESSAGE_MAP(ColorDialog, NDialog)
Q_ON_NOTIFY_RANGE(scClicked, 1000, 65535, OnControl)
Q_END_MESSAGE_MAP()

ColorDialog::ColorDialog(
    const ColorDialogIds* dialogIds, const ColorWindDesc* table, int, unsigned*, CWnd* parent)
    : NDialog(dialogIds ? dialogIds->dialogId : 0, parent)
    , ids(dialogIds ? *dialogIds : ColorDialogIds { 0, 0 })
    , desc(table)
{
}

ColorDialog::~ColorDialog() = default;

void ColorDialog::QCreate()
{
    QWidget* w = GetWidget();
    auto* outer = new QHBoxLayout(w);
    group = std::make_unique<NQGroupBox>("Colors", this, 0, outer);
    QVBoxLayout* columns[2] = { new QVBoxLayout, new QVBoxLayout };
    if (QGroupBox* box = group->box()) {
        auto* inside = new QHBoxLayout(box);
        inside->addLayout(columns[0]);
        inside->addLayout(columns[1]);
    }

    swatches.clear();
    labels.clear();
    saved.clear();
    rowCount = 0;
    for (const ColorWindDesc* row = desc; row && row->id != 0; ++row, ++rowCount) {
        auto swatch = std::make_unique<ColorWind>();
        swatch->Create(this, row->id, row->color);
        AddDialogItem(swatch.get(), row->id);
        saved.push_back(row->color ? row->color->Get() : 0);

        auto* line = new QHBoxLayout;
        line->addWidget(swatch->GetWidget());
        const char* name = row->color ? (const char*)row->color->GetEntry() : "";
        labels.push_back(std::make_unique<NQLabel>(name, this, 0, line));
        line->addStretch(1);
        columns[rowCount % 2]->addLayout(line);
        swatches.push_back(std::move(swatch));
    }
    columns[0]->addStretch(1);
    columns[1]->addStretch(1);

    auto* buttons = new QVBoxLayout;
    okButton = std::make_unique<NQButton>("OK", this, IDOK, buttons);
    cancelButton = std::make_unique<NQButton>("Cancel", this, IDCANCEL, buttons);
    defaultsButton = std::make_unique<NQButton>("Defaults", this, ids.defaultsId, buttons);
    buttons->addStretch(1);
    outer->addLayout(buttons);
    SetWindowText("Colors");
}

ColorWind* ColorDialog::GetSwatch(int row) const
{
    return row >= 0 && row < int(swatches.size()) ? swatches[row].get() : nullptr;
}

void ColorDialog::OnControl(UINT id)
{
    if (id == ids.defaultsId)
        OnReset();
    else if (id == IDOK)
        CDialog::OnOK();
}

void ColorDialog::OnReset()
{
    for (int i = 0; i < int(swatches.size()) && i < rowCount; ++i) {
        NVColor* c = swatches[i]->GetColor();
        if (!c)
            continue;
        // Stored as a value even though only the alpha byte differs from the default.
        *c = c->GetDefault() & 0xFFFFFF;
        swatches[i]->Refresh();
    }
}

void ColorDialog::OnCancel()
{
    for (int i = 0; i < int(saved.size()) && i < rowCount; ++i)
        if (desc[i].color)
            *desc[i].color = saved[i];
    EndDialog(IDCANCEL);
}
