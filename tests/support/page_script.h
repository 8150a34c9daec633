#pragma once

#include <chrono>
#include <string>

typedef struct _WebKitWebView WebKitWebView;

namespace quillomat::testing {

// Runs a script in the page that `view` shows and returns its result as text, iterating the
// main loop meanwhile; the empty text when the script fails or gives nothing in time.
std::string PageScriptResult(WebKitWebView* view, const std::string& script,
                             std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace quillomat::testing
