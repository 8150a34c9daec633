#pragma once

#include <chrono>
#include <functional>

namespace quillomat::testing {

// Iterates the thread-default GMainContext, from the thread that owns it, until `condition` holds
// or `timeout` has passed; returns whether it held. The condition is checked before the first
// iteration, after each one and every few milliseconds even when no event comes.
bool RunMainLoopUntil(std::function<bool()> condition, std::chrono::milliseconds timeout);

// Iterates the thread-default GMainContext until everything that was waiting has run (an idle
// callback of low priority runs only when nothing else is ready); returns whether it came in time.
bool RunMainLoopUntilIdle(std::chrono::milliseconds timeout);

}  // namespace quillomat::testing
