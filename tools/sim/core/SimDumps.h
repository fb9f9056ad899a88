#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <vector>

using SimBytes = std::vector<unsigned char>;

// The simulated device's memory images, one per dump kind (the command byte:
// 15 files, 19 card, 21 prog, 22 setup, 57 data). A dump travels as the
// payload of a framed message of its kind: the data length as 8 nibbles, the
// data bytes as nibbles and a checksum byte making the decoded sum 0.
class SimDumps {
public:
    // Longest image the device takes, in data bytes.
    static constexpr std::size_t kMaxImage = 1024 * 1024;

    SimDumps();

    static bool IsDumpKind(int command);
    // The data bytes of a kind's image.
    const SimBytes& Image(int kind) const;
    void SetImage(int kind, SimBytes data);
    // The image as a dump payload.
    SimBytes Payload(int kind) const;
    // Takes a received payload as the kind's new image; false with the
    // device's reason when it is not a whole, correct block.
    bool Accept(int kind, const std::string& payload, std::string& error);
    // Number of dumps of this kind taken so far.
    int Accepted(int kind) const;

private:
    std::map<int, SimBytes> images_;
    std::map<int, int> accepted_;
};
