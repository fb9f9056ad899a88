#pragma once
#include "CComboBox.h"
#include "ConfigPage.h"
#include "MIDIconfigInfo.h"
#include "MessageMap.h"

#include <memory>

// The "MIDI" page: chooses the input and output ports of the MIDI link.
class MIDIpage : public ConfigPage {
    Q_DECLARE_MESSAGE_MAP(MIDIpage)
public:
    static constexpr UINT kInputCombo = 1006;
    static constexpr UINT kOutputCombo = 1007;

    explicit MIDIpage(CommProcessor* processor);
    ~MIDIpage() override;

    int CommType() override { return 1; }
    void QCreate() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // The user chose an input: the output of the same name follows.
    void InChange();

    CComboBox& InputCombo() { return input_; }
    CComboBox& OutputCombo() { return output_; }

private:
    CComboBox output_;
    CComboBox input_;
    std::unique_ptr<MIDIconfigInfo> info_;
};
