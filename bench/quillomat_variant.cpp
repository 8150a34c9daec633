// Quillomat's start-up through the program's own start function (the one app/main.cpp calls),
// with switches that leave one step out at a time, so that the benchmark can weigh each step:
//   --no-fonts            do not add the bundled fonts' folder
//   --no-style            do not load the program's style sheet
//   --timeline            print when each step ends, up to the main window's first frame
// Without a switch it is the program. (The web sandbox is left out from the outside: a PATH
// whose "bwrap" fails makes the pane's probe answer no.)
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

#include "app/program/program_start.h"

namespace {

// Prints the step's time on the monotonic clock, which the start-up driver's log also uses.
void PrintStep(const char* step)
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::fprintf(stderr, "timeline %.3f %s\n",
                 std::chrono::duration<double, std::milli>(now).count(), step);
}

}  // namespace

int main(int argc, char** argv)
{
    quillomat::StartOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--no-fonts")
            options.bundledFonts = false;
        else if (option == "--no-style")
            options.programStyle = false;
        else if (option == "--timeline")
            options.stepEnded = &PrintStep;
        else {
            std::cerr << "quillomat_variant: unknown option " << option << "\n";
            return 2;
        }
    }
    if (options.stepEnded)
        options.stepEnded("main");
    return quillomat::RunProgram(options);
}
