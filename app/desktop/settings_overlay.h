#pragma once

#include <gio/gio.h>

#include <optional>
#include <string>

namespace quillomat {

// A settings store of the program's own, in front of the desktop's (dconf, where installed):
// every read that the program has not written itself goes to the desktop's store, and every
// change there reaches the program, so the toolkit follows the user's theme, fonts and text
// scaling; every write stays in the program's memory and ends with it.
//
// Over the given store (a test's); the overlay keeps a reference to it.
GSettingsBackend* NewSettingsOverlay(GSettingsBackend* desktop);

// Makes an overlay the process's default store, over the store the process would have used
// otherwise: the one `chosenStore` names (as GSETTINGS_BACKEND does), else GIO's first choice.
// Call before anything reads settings; the environment is left as it was.
void MakeSettingsOverlayTheDefault(const std::optional<std::string>& chosenStore);

}  // namespace quillomat
