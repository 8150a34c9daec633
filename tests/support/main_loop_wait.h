// Helpers for tests that drive the thread-default GMainContext by hand.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace quillomat::testing {

// Iterates the thread-default GMainContext (blocking between events) until
// |condition| returns true or |timeout| has elapsed.  The condition is
// checked before the first iteration and after every one, and at least every
// few milliseconds even when no event arrives.  Returns whether the
// condition held.  Must be called from the thread that owns the context.
bool RunMainLoopUntil(std::function<bool()> condition, std::chrono::milliseconds timeout);

// Runs `xclip -o -selection clipboard` as a child process while iterating the
// thread-default GMainContext, so that a clipboard owned by this very process
// can answer xclip's selection request.  Returns xclip's standard output
// byte for byte (nothing trimmed or re-encoded).  Throws std::runtime_error
// when xclip cannot be started, exits unsuccessfully (e.g. empty clipboard,
// no display) or has not finished within |timeout|.
std::string ReadClipboardWithXclip(std::chrono::milliseconds timeout);

}  // namespace quillomat::testing
