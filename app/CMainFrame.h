#pragma once
#include "CRoutingDlg.h"

class CDocument;

// The program's main window, run modally by main: the routing editor itself.
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
