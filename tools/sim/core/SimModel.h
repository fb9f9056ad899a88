#pragma once
#include "ModelTables.h"
#include "SysexVocabulary.h"

#include <string>
#include <vector>

// One model's device parameters as the simulated device keeps them: every key
// the editor reads or writes, with what it may hold, derived from the model
// tables so that the device numbers a destination's choices as the editor does.
class SimModel {
public:
    static constexpr long kModeKey = sysex::modeKey;
    static constexpr int kNoSource = 99;

    struct Destination {
        long key;
        int choices; // positions 0..choices-1 name sources; 99 = none
        std::string name; // "MAINinL 3"
    };
    struct Option {
        long key;
        int choices;
        std::string name;
    };
    struct Gain {
        long key;
        double min;
        double max;
        double step;
        std::string name;
    };

    explicit SimModel(int modelIndex);

    int Index() const { return index_; }
    const char* Name() const { return main_table[index_].modelName; }
    const std::vector<Destination>& Destinations() const { return destinations_; }
    const std::vector<Option>& Options() const { return options_; }
    const std::vector<Gain>& Gains() const { return gains_; }

    const Destination* FindDestination(long key) const;
    const Option* FindOption(long key) const;
    const Gain* FindGain(long key) const;

    // Row of main_table whose model name equals `name` ignoring case, or -1.
    static int FindModel(const char* name);

private:
    int index_;
    std::vector<Destination> destinations_;
    std::vector<Option> options_;
    std::vector<Gain> gains_;
};
