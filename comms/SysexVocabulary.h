#pragma once
// The words the editor and the device exchange: the system-exclusive header
// bytes, the command bytes, the request texts and the device keys the editor
// itself uses. Everything that speaks to the device, or plays it, takes them
// from here.

namespace sysex {

// Header bytes after F0: manufacturer and device family.
constexpr unsigned char manufacturer = 0x7D;
constexpr unsigned char family = 0x70;

// Command bytes.
enum Command : unsigned char {
    keypress = 1,
    errorText = 13,
    setGain = 45,
    gainReport = 46,
    objectInfoRequest = 49,
    objectInfo = 50,
    valueRequest = 59,
    setValue = 60, // also the device's value report
    wheel = 62,
    hexText = 64,
};

// Request texts: "key value" to set a value (also a value report, also the
// line of a key script), "key index" to ask for object information, "key" to
// ask for a value, "key dB" to set a gain.
constexpr const char* keyValueText = "%lx %d";
constexpr const char* keyIndexText = "%lx %d";
constexpr const char* keyText = "%lx";

// The device setting the editor holds at heldModeValue while it runs.
constexpr long modeKey = 0x10010016;
constexpr int heldModeValue = 2;

} // namespace sysex
