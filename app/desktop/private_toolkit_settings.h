#pragma once

namespace quillomat {

// GTK's colour chooser remembers its colours in the user's desktop settings, but the program
// stores nothing: its own process keeps what it writes there in memory, and still reads the
// desktop's settings (theme, fonts, text scaling) and follows their changes, as GTK does on
// Wayland. Call before GTK starts.
void KeepToolkitSettingsInMemory();

// GTK's file choosers add the files the user picks to the desktop's list of recently used files,
// which GTK then writes back. The program's process keeps that list in memory instead, and
// leaves the user's file as it found it (GTK's own end of a run would still write it back:
// ProgramRun does without it). Call before the first file chooser opens.
void KeepRecentFilesInMemory();

}  // namespace quillomat
