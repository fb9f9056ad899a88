#pragma once
// The user-chosen colours the editor draws nodes and lines in, each a
// persistent setting of the default section, and the table of those the
// colour dialog edits.

#include "NVColor.h"

extern NVColor normalColor; // "Normal_node": node in its normal state
extern NVColor selectColor; // "Selected_node"
extern NVColor destColor; // "Destination_node": a possible destination
extern NVColor lineNormalColor; // "Normal_line"
extern NVColor lineSelColor; // "Selected_line"
extern NVColor disabledColor; // "Disabled"
extern NVColor backGroundColor; // "Background": not editable in the dialog

// One swatch of the colour dialog: its control id, the colour it edits and
// a label id (not shown). A row with id 0 ends a table.
struct ColorWindDesc {
    unsigned id;
    NVColor* color;
    unsigned labelId;
};

// The dialog's own id and the id of its "Defaults" button.
struct ColorDialogIds {
    unsigned dialogId;
    unsigned defaultsId;
};

// The six editable colours in swatch order, ended by an id-0 row.
extern const ColorWindDesc colorDesc[];
// The ids the editor opens the colour dialog with: (132, 1030).
extern const ColorDialogIds colorDialogIds;
