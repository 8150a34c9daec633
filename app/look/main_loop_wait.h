#pragma once

#include <glibmm/main.h>

#include <chrono>

namespace quillomat {

// Runs the main loop, at whatever depth it is, until `done()` holds or `most` has passed; returns
// `done()`. For a step that must see an answer come before it returns.
template <typename Done>
bool RunMainLoopUntil(Done done, std::chrono::milliseconds most)
{
    bool late = false;
    sigc::connection timer = Glib::signal_timeout().connect(
        [&late] {
            late = true;
            return false;
        },
        most.count());
    while (!done() && !late)
        Glib::MainContext::get_default()->iteration(true);
    timer.disconnect();
    return done();
}

}  // namespace quillomat
