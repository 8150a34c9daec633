#pragma once

#include <chrono>
#include <string>

namespace quillomat::testing {

// What another program finds on the clipboard: runs `xclip -o -selection clipboard` while
// iterating the thread-default GMainContext, so that a clipboard owned by this very process can
// answer, and returns xclip's output byte for byte. Throws std::runtime_error when xclip cannot
// start, fails (an empty clipboard, no display) or has not finished within `timeout`.
std::string ReadClipboardWithXclip(std::chrono::milliseconds timeout);

}  // namespace quillomat::testing
