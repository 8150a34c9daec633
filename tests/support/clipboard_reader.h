#pragma once

#include <chrono>
#include <string>

namespace quillomat::testing {

// What `xclip -o -selection clipboard` finds, byte for byte, the thread-default GMainContext
// iterated meanwhile so that this process's own clipboard can answer. Throws std::runtime_error
// when xclip cannot start, fails (an empty clipboard, no display) or outlasts `timeout`.
std::string ReadClipboardWithXclip(std::chrono::milliseconds timeout);

}  // namespace quillomat::testing
