#pragma once
// The colour picker the swatches open: the toolkit's colour dialog, or a
// handler installed in its place (tests answer the picker through it).

#include "FrameworkTypes.h"

#include <functional>

class QWidget;

// Returns true and sets chosen (0xFFRRGGBB) when the user confirms a colour;
// false when the picker is cancelled.
using ColorPickerHandler = std::function<bool(QWidget* parent, COLORREF initial, COLORREF& chosen)>;

// Installs handler for every later pickColor; returns the previous one. An
// empty handler restores the toolkit's dialog.
ColorPickerHandler setColorPickerHandler(ColorPickerHandler handler);

bool pickColor(QWidget* parent, COLORREF initial, COLORREF& chosen);
