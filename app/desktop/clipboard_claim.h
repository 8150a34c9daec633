#pragma once

#include <glibmm/ustring.h>

namespace quillomat {

// Puts the text on the clipboard as the program's own; returns whether the program holds the
// clipboard with it. A claim that the X server refuses because another program claimed the
// clipboard later than the moment the claim carries is made once more with the server's time
// now.
bool ClaimClipboard(const Glib::ustring& text);

}  // namespace quillomat
