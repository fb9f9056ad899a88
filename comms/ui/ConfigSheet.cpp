#include "ConfigSheet.h"

#include "MIDIpage.h"
#include "ZorvantaMidiProcessor.h"

ConfigSheet::ConfigSheet(ZorvantaMidiProcessor* processor)
    : CPropertySheet("Comms Preferences", nullptr, 0)
{
    pages_[commMidi] = std::make_unique<MIDIpage>(processor);
    int index = 0;
    int active = 0;
    for (std::size_t type = 0; type < pages_.size(); ++type) {
        if (!pages_[type])
            continue;
        AddPage(pages_[type].get());
        if (processor && pages_[type]->CommType() == processor->CommType())
            active = index;
        ++index;
    }
    SetActivePage(active);
}

ConfigSheet::~ConfigSheet() = default;

ConfigPage* ConfigSheet::PageFor(int commType) const
{
    if (commType < 0 || commType >= static_cast<int>(pages_.size()))
        return nullptr;
    return pages_[static_cast<std::size_t>(commType)].get();
}

int RunConfigSheet(ZorvantaMidiProcessor& processor)
{
    ConfigSheet sheet(&processor);
    return sheet.DoModal();
}
