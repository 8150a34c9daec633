#pragma once

#include <functional>

namespace quillomat {

// How the program starts. The shipped program takes the defaults; the start-up benchmark leaves
// single steps out to weigh them, through the same code.
struct StartOptions {
    bool bundledFonts = true;
    bool programStyle = true;
    // Told the name of each start-up step as it ends, up to the main window's first frame.
    std::function<void(const char* step)> stepEnded;
};

// Runs the program until it ends; returns its exit status.
int RunProgram(const StartOptions& options = {});

}  // namespace quillomat
