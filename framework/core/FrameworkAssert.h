#pragma once
#include "FrameworkTypes.h"

// Reports a broken invariant: a framework message box (warning icon) whose
// caption is "Assertion failed at line <line> in <file name>". The program goes
// on; the caller takes its safe way out. Returns FALSE.
BOOL AfxAssertFailedLine(const char* file, int line);

// TRUE when `cond` holds; otherwise reports where it failed and gives FALSE, so
// that code can write `if (!ASSERT(p)) return;`.
#define ASSERT(cond) ((cond) ? TRUE : AfxAssertFailedLine(__FILE__, __LINE__))
