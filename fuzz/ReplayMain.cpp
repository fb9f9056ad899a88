// Runs a fuzz target once on every file named on the command line or found
// (recursively, in name order) in a folder named there. A folder that does not
// exist is passed over, but a run that finds no input at all fails, so a
// mistyped corpus path cannot pass silently.
#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> inputsOf(const fs::path& p)
{
    std::vector<fs::path> found;
    std::error_code ec;
    if (fs::is_regular_file(p, ec)) {
        found.push_back(p);
    } else if (fs::is_directory(p, ec)) {
        for (auto it = fs::recursive_directory_iterator(p, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            if (it->is_regular_file(ec) && it->path().filename().string()[0] != '.')
                found.push_back(it->path());
        std::sort(found.begin(), found.end());
    }
    return found;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        // Absolute: a target may change the current folder.
        std::error_code ec;
        std::vector<fs::path> more = inputsOf(fs::absolute(argv[i], ec));
        if (more.empty())
            std::fprintf(stderr, "no inputs in %s\n", argv[i]);
        inputs.insert(inputs.end(), more.begin(), more.end());
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "nothing to replay\n");
        return 1;
    }
    for (const fs::path& p : inputs) {
        std::ifstream in(p, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", p.c_str());
            return 1;
        }
        std::vector<std::uint8_t> bytes(
            (std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        fuzz::setCurrentInput(p.string());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    fuzz::setCurrentInput("");
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
