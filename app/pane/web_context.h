#pragma once

#include <string>

typedef struct _WebKitWebContext WebKitWebContext;

namespace quillomat {

struct WebContextOptions {
    // Empty: the desktop's proxy settings.
    std::string proxyAddress;
    bool sandboxed = false;
};

// The web context of every view of the program: it keeps nothing on disk and bounds the memory
// of its web processes.
WebKitWebContext* NewWebContext(const WebContextOptions& options);

}  // namespace quillomat
