#pragma once
// Scenarios that need a process of their own, because the program computes
// its folders once per process. The test program runs itself with the flag
// and an environment prepared by the test.

namespace faults {

constexpr const char* kChildNonAsciiFolders = "--child-non-ascii-folders";

// The editor with every folder below one named with a space and letters outside
// ASCII, its settings in the program's own store: saves a preset named
// "Live \u00c4 \u20ac", picks it from the user list, presses OK. Prints what it
// saw as "key=value" lines; returns 0 when the page was built.
int childNonAsciiFolders(int argc, char** argv);

} // namespace faults
