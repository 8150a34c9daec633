#pragma once

#include <chrono>
#include <functional>

namespace quillomat::testing {

// Iterates the thread-default GMainContext, blocking between events, until `condition` holds or
// `timeout` has passed; returns whether it held. The condition is checked before the first
// iteration, after each one and every few milliseconds even when no event comes. Call it from
// the thread that owns the context.
bool RunMainLoopUntil(std::function<bool()> condition, std::chrono::milliseconds timeout);

// Iterates the thread-default GMainContext until everything that was waiting has run: an idle
// callback of the lowest priority runs only when nothing else is ready. Returns whether it came
// within `timeout`.
bool RunMainLoopUntilIdle(std::chrono::milliseconds timeout);

}  // namespace quillomat::testing
