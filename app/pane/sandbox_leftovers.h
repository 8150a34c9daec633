#pragma once

namespace quillomat {

// Removes the folders, which nothing else would ever remove, that WebKit made for this process's
// sandboxed web processes among the desktop's sandboxed instances (".flatpak" in the user's
// runtime folder, else in the cache folder). For the end of the program, once its views are gone.
void RemoveSandboxLeftovers();

}  // namespace quillomat
