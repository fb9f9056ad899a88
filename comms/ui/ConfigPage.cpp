#include "ConfigPage.h"

#include "CommProcessor.h"

ConfigPage::ConfigPage(CommProcessor* processor, UINT templateId, const char* caption)
    : CPropertyPage(templateId, caption)
    , processor_(processor)
{
}

BOOL ConfigPage::OnSetActive()
{
    if (processor_)
        processor_->ChooseComms(static_cast<comm_type>(CommType()), this);
    return CPropertyPage::OnSetActive();
}

void ConfigPage::OnOK()
{
    if (processor_)
        processor_->ReInit();
    CPropertyPage::OnOK();
}
