#pragma once

#include <chrono>
#include <cstddef>
#include <deque>

namespace quillomat {

// How often the browser pane may reload a page after its web process died: a few times a
// minute, so that a page that kills WebKit every time cannot keep the program busy for ever.
class RecoveryBudget {
public:
    using Clock = std::chrono::steady_clock;

    RecoveryBudget(std::size_t recoveries, Clock::duration window)
        : recoveries_(recoveries), window_(window)
    {
    }

    // Counts a recovery at `now` if the budget allows one.
    bool TryRecover(Clock::time_point now);

private:
    std::size_t recoveries_;
    Clock::duration window_;
    std::deque<Clock::time_point> recent_;
};

}  // namespace quillomat
