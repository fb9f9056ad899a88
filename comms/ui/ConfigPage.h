#pragma once
#include "CPropertyPage.h"

class CommProcessor;

// A page of the comms configuration sheet, bound to the protocol object it
// configures.
class ConfigPage : public CPropertyPage {
public:
    ConfigPage(CommProcessor* processor, UINT templateId, const char* caption);

    // The comm type this page configures; 0 for the base.
    virtual int CommType() { return 0; }
    // Switches the protocol object to this page's transport.
    BOOL OnSetActive() override;
    // Reopens the link with the new settings.
    void OnOK() override;

protected:
    CommProcessor* processor_;
};
