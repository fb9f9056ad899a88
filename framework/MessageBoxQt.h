#pragma once
#include "MessageBoxHook.h"

// The real message box: the toolkit's modal box with the caption as its main text
// and the text as its informative text, icon and buttons from the flags. Returns
// the framework value of the pressed button.
int QtMessageBox(QObject* parent, const QString& text, const QString& caption, UINT flags);

// Makes QtMessageBox the process-wide handler of framework message boxes; the
// application object does this at start-up (tests install a script instead).
void InstallQtMessageBox();
