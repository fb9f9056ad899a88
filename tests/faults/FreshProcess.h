#pragma once
// Scenarios that need a process of their own, because the program computes
// its folders once per process. The test program runs itself with the flag
// and an environment prepared by the test.

namespace faults {

constexpr const char* kChildConfigBlocked = "--child-config-folder-blocked";

// The editor with XDG_CONFIG_HOME pointing at a file. Prints every message box
// as "box: caption | text" and returns 0 when the editor got through opening,
// editing, saving and OK.
int childConfigFolderBlocked();

} // namespace faults
