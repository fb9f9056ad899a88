#include "RoleColors.h"

NVColor normalColor("Normal_node", 0xFF00FF00);
NVColor selectColor("Selected_node", 0xFFFF0000);
NVColor destColor("Destination_node", 0xFF4040FF);
NVColor lineNormalColor("Normal_line", 0xFF00FF00);
NVColor lineSelColor("Selected_line", 0xFFFF0000);
NVColor disabledColor("Disabled", 0xFFDCDCDC);
NVColor backGroundColor("Background", 0xFFFFFFFF);

// Left column: the node colours; right column: the line colours and
// "Disabled" (even rows go left, odd rows right).
const ColorWindDesc colorDesc[] = {
    { 1025, &normalColor, 0 },
    { 1028, &lineNormalColor, 0 },
    { 1026, &selectColor, 0 },
    { 1029, &lineSelColor, 0 },
    { 1027, &destColor, 0 },
    { 1037, &disabledColor, 0 },
    { 0, nullptr, 0 },
};

const ColorDialogIds colorDialogIds = { 132, 1030 };
