#pragma once

namespace quillomat {

// GTK's colour chooser remembers its colours in the user's desktop settings, but the program
// stores nothing: its own process keeps such settings in memory. Call before GTK starts.
void KeepToolkitSettingsInMemory();

}  // namespace quillomat
