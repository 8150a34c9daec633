#pragma once

#include <glibmm/ustring.h>

namespace quillomat {

// Puts the text on the clipboard, waits until the claim has settled (a program that takes the
// clipboard back, or a clipboard manager that keeps a copy, does so at once) and returns whether
// the clipboard then holds the text, whoever holds it. A contested claim is never made again.
bool ClaimClipboard(const Glib::ustring& text);

}  // namespace quillomat
