#include "GroupID.h"

namespace {
// Entry g + 1 is the name of group g.
const char* const groupNames[groupCount] = {
    "noGroup",
    "AES10in",
    "SPDIFoin",
    "SPDIFcin",
    "FWIRE1in",
    "FWIRE2in",
    "ANAin",
    "AESin",
    "ADATin",
    "MAINinL",
    "MAINinR",
    "DSPAin",
    "DSPBin",
    "DSPAout",
    "DSPBout",
    "MAINoutLa",
    "MAINoutLb",
    "MAINoutR",
    "ANAout",
    "AESout",
    "ADATout",
    "FWIRE1out",
    "FWIRE2out",
    "AES10out",
    "SPDIFoout",
    "SPDIFcout1",
    "SPDIFcin2",
    "SPDIFcout2",
    "TO_FRONT",
};
} // namespace

const char* groupName(groupID g)
{
    int i = static_cast<int>(g) + 1;
    if (i < 0 || i >= groupCount)
        return "?";
    return groupNames[i];
}
