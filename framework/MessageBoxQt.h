#pragma once
#include "MessageBoxHook.h"

class QWidget;

// The real message box: the toolkit's modal box with the caption as its main text,
// the text as its informative text and the detail as its detailed text, icon and
// buttons from the flags, centred on the window it belongs to. Returns the framework
// value of the pressed button.
int QtMessageBox(QObject* parent, const QString& text, const QString& caption, UINT flags,
    const QString& detail);

// The window a box or dialog raised with this parent belongs to: the parent's window when it
// is on the screen, else the modal window the user works in, else the main frame.
// Boxes from code without a window (the protocol, the panel reader) and from pages
// of a sheet not yet shown land over the editor instead of a corner of the screen.
QWidget* messageBoxOwner(QObject* parent);

// Makes QtMessageBox the process-wide handler of framework message boxes; the
// application object does this at start-up (tests install a script instead).
void InstallQtMessageBox();
