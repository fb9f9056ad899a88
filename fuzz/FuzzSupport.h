#pragma once
// Shared pieces of the fuzz targets: quiet stand-ins for the user's answers,
// a private scratch folder, a checker that stops the run with a readable
// reason, and a reader that cuts one input into length-prefixed pieces.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// Once per process: message boxes show nothing and are counted; each answers
// with the button picked by the next scripted choice, or with its first
// button when no choice is left.
void quietStartUp();
int messageBoxCount();
// Choices for the next boxes: each byte picks button (byte mod buttons).
void setBoxChoices(std::vector<std::uint8_t> choices);
// The captions of the boxes shown since the last call, with the answers given.
struct Box {
    std::string caption;
    int answer;
};
std::vector<Box> takeBoxes();

// A path inside a scratch folder made once per process and removed at exit.
std::string scratchPath(const char* name);
// Replaces the file at path with the bytes; false when it cannot be written.
bool writeFile(const std::string& path, const std::uint8_t* data, std::size_t size);

// The input being replayed (replay programs only), named in failure reports.
void setCurrentInput(const std::string& name);
// Reports a broken expectation with the input's name and aborts, so that
// libFuzzer keeps the input and a replay fails.
[[noreturn]] void fail(const char* file, int line, const std::string& what);

// Cuts the input into pieces: each piece is one length byte n followed by
// n bytes (fewer at the end of the input).
class Pieces {
public:
    Pieces(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size)
    {
    }
    // A leading byte of configuration, 0 when the input is used up.
    std::uint8_t takeByte();
    // The next piece; false when nothing is left.
    bool next(std::vector<std::uint8_t>& piece);
    // Everything not read yet.
    std::vector<std::uint8_t> rest() const;

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace fuzz

#define FUZZ_CHECK(cond, what)                                                                     \
    do {                                                                                           \
        if (!(cond))                                                                               \
            ::fuzz::fail(__FILE__, __LINE__, std::string(#cond) + ": " + (what));                  \
    } while (0)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
