#pragma once

#include <gtkmm/entry.h>

namespace quillomat {

// Lets a text box, a combo box's own among them, hold a text of any length.
void RemoveLengthLimit(Gtk::Entry& entry);

// A single-line text box: white with a flat single-line border, and no length limit, so that a
// long caption or address is never cut short behind the user's back.
class TextBox : public Gtk::Entry {
public:
    TextBox();
};

}  // namespace quillomat
