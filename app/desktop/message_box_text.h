#pragma once

#include <gtkmm/messagedialog.h>

#include <memory>
#include <string_view>

#include "main_use/main_use_desktop.h"

namespace quillomat {

// Lets the message of `box` break inside a word too long for a line, such as a path or an address,
// before it is shown: GTK breaks lines between words only, and the box would outgrow the screen.
void BreakLongWords(Gtk::MessageDialog& box);

// A message box of the program, not yet shown: its kind's icon, one "OK" button, long words
// broken, and centred over `parent` if any, which must outlive it.
std::unique_ptr<Gtk::MessageDialog> MakeMessageBox(std::string_view text, MessageIcon icon,
                                                   std::string_view title, bool modal,
                                                   Gtk::Window* parent);

}  // namespace quillomat
