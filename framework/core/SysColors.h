#pragma once

// The framework's fixed system colours and metrics: the toolkit has no
// equivalent of the platform's system colour table, so the few indices the
// application asks for are answered from a small constant table.

// Colour of system element `index` as 0xAARRGGBB.
unsigned GetSysColor(int index);

// Size of system metric `index` in pixels (the scroll bar thickness for the
// two scroll bar indices, 0 for everything else).
int GetSystemMetrics(int index);
