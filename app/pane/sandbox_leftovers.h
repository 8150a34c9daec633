#pragma once

namespace quillomat {

// Removes the folders WebKit made for this process's sandboxed web processes in the desktop's
// list of sandboxed instances (".flatpak" in the user's runtime folder, else in the cache
// folder, where nothing else would ever remove them). For the end of the program, once its web
// views are gone.
void RemoveSandboxLeftovers();

}  // namespace quillomat
