#pragma once
// Lays the editor window out as the program does, on the offscreen platform,
// to learn where its push buttons sit: they are toolkit widgets without a
// window of their own, so an X client cannot find them by itself.

#include <string>

namespace e2e {

struct WindowLayout {
    int width = 0; // client size of the editor window
    int height = 0;
    int okX = 0; // centre of the "OK" button in window pixels
    int okY = 0;
};

// Builds the editor of `model` in off-line demo mode with the settings and
// data folders of the environment, reads the geometry and closes it again.
// The program name decides the settings file, so it must be the editor's.
bool probeLayout(int argc, char** argv, int model, WindowLayout& out, std::string& error);

} // namespace e2e
