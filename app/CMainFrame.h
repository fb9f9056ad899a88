#pragma once
#include "CRoutingDlg.h"

class CDocument;

// The program's main window, run modally by main: the routing editor itself.
//
// Test hook: when the environment variable Q7300_TEST_REFUSE_CREATE holds a number
// above 0, the msgCreate handler returns it and start-up is refused (exit status 1).
class CMainFrame : public CRoutingDlg {
public:
    CMainFrame();
    ~CMainFrame() override;

    // The document layer's factory; this application has no documents.
    static CDocument* NewDocumentFile() { return nullptr; }

protected:
    LRESULT OnCreate(WPARAM w, LPARAM l);

    Q_DECLARE_MESSAGE_MAP(CMainFrame)
};
