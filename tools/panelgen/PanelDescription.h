#pragma once
// The panel description text of a laid-out page, and the checks a page must
// pass before it is written.

#include "PanelLayout.h"

#include <string>

namespace panelgen {

// One OUTLINE record, one LED record per node in io-table order, then one
// BUTTON record per option row.
std::string describe(const PanelLayout& page);

bool writeDescription(const PanelLayout& page, const std::string& path);

// Empty when the page holds exactly one node mark per node of the model,
// one button per option row, all inside the picture and none overlapping;
// otherwise what is wrong.
std::string checkPage(const PanelModel& model, const PanelLayout& page);

} // namespace panelgen
