// Node groups of the routing page and their names.
#pragma once

// Signed 32-bit group numbers as the device tables hold them. noGroup ends
// group lists; TO_FRONT only ever appears as the first word of a row's source
// list, where it asks for front placement of that row's nodes.
enum groupID : int {
    noGroup = -1,
    AES10in = 0,
    SPDIFoin = 1,
    SPDIFcin = 2,
    FWIRE1in = 3,
    FWIRE2in = 4,
    ANAin = 5,
    AESin = 6,
    ADATin = 7,
    MAINinL = 8,
    MAINinR = 9,
    DSPAin = 10,
    DSPBin = 11,
    DSPAout = 12,
    DSPBout = 13,
    MAINoutLa = 14,
    MAINoutLb = 15,
    MAINoutR = 16,
    ANAout = 17,
    AESout = 18,
    ADATout = 19,
    FWIRE1out = 20,
    FWIRE2out = 21,
    AES10out = 22,
    SPDIFoout = 23,
    SPDIFcout1 = 24,
    SPDIFcin2 = 25,
    SPDIFcout2 = 26,
    TO_FRONT = 27,
};

constexpr int groupCount = 29; // noGroup .. TO_FRONT

// Name of a group ("noGroup" .. "TO_FRONT"); "?" for a number outside -1..27,
// so that a corrupt value never reads past the name list.
const char* groupName(groupID g);
