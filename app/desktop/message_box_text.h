#pragma once

#include <gtkmm/messagedialog.h>

namespace quillomat {

// Lets the message of `box` break inside a word too long for a line, such as a file's path or
// an address: GTK breaks its lines between words only, and such a box would outgrow the screen.
// Call it before the message is shown.
void BreakLongWords(Gtk::MessageDialog& box);

}  // namespace quillomat
