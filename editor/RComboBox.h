// The hidden choice list of an option button; keeps its creation rectangle and
// its selection-field height for rescaling.
#pragma once

#include <QWidget>

#include "CComboBox.h"
#include "Geometry.h"

class RComboBox : public CComboBox {
public:
    RComboBox() = default;
    ~RComboBox() override;
    RComboBox(const RComboBox&) = delete;
    RComboBox& operator=(const RComboBox&) = delete;

    CRect createRect;
    int fieldHeight = 0;
    // The choice the page was last given (the list shows a user's new choice
    // before the page takes it).
    int pageChoice = 0;
};
