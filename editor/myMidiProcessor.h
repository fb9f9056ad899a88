// The editor's protocol object: text replies go to the editor window.
#pragma once

#include "ZorvantaMidiProcessor.h"

class CRoutingDlg;

class myMidiProcessor : public ZorvantaMidiProcessor {
public:
    explicit myMidiProcessor(CRoutingDlg* owner);
    ~myMidiProcessor() override;
    myMidiProcessor(const myMidiProcessor&) = delete;
    myMidiProcessor& operator=(const myMidiProcessor&) = delete;

    void ProcessTextMessage(int command, const char* text, QObject* window) override;
    void OnPrognumsDump(int count, const prognums_buffer* pairs, QObject* window) override;
    int ProcessIdentityMessage(char* text, QObject* window) override;
    void UnknownCommand(char* message, int length) override;
    void OnLinkLost(int why) override;

    CRoutingDlg* owner;
    int restoreAutoDisconnect = 0;
};
