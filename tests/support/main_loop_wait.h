#pragma once

#include <chrono>
#include <functional>

namespace quillomat::testing {

// Iterates the thread-default GMainContext, from its thread, until `condition` holds (checked
// before, after each iteration and every few milliseconds) or `timeout` passes; whether it held.
bool RunMainLoopUntil(std::function<bool()> condition, std::chrono::milliseconds timeout);

// Iterates the thread-default GMainContext until everything that was waiting has run (an idle
// callback of low priority runs only when nothing else is ready); returns whether it came in time.
bool RunMainLoopUntilIdle(std::chrono::milliseconds timeout);

}  // namespace quillomat::testing
