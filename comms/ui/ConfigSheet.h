#pragma once
#include "CPropertySheet.h"
#include "ConfigPage.h"

#include <array>
#include <memory>

class ZorvantaMidiProcessor;

// The "Comms Preferences" sheet: one page per comm type that has one.
class ConfigSheet : public CPropertySheet {
public:
    explicit ConfigSheet(ZorvantaMidiProcessor* processor);
    ~ConfigSheet() override;

    ConfigPage* PageFor(int commType) const;

private:
    std::array<std::unique_ptr<ConfigPage>, 4> pages_;
};

// Runs the sheet modally for the processor; returns the dialog result.
int RunConfigSheet(ZorvantaMidiProcessor& processor);
