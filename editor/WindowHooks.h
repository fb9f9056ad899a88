// What the editor's message map cannot bind: Escape and the window's close
// control end the editor through OnCancel, the device traffic is completed
// however the dialog ends, and typing into the user-preset list runs its name
// check.
#pragma once

class CRoutingDlg;

// Called once the editor's widgets exist (OnInitDialog). The hooks live as
// long as the editor's widget.
void hookEditorWindow(CRoutingDlg& dlg);
