#pragma once

class CDialog;
class CWinApp;

// Runs the program from start-up to the end of the main frame's modal loop:
// msgCreate (a positive answer refuses start-up), InitInstance, then the main
// frame modally. Returns the process's exit status, 0 or 1.
int RunMainFrame(CWinApp& app, CDialog& frame);
