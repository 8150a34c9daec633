#pragma once

#include <gtkmm/entry.h>

namespace quillomat {

// A single-line text box: white with a flat single-line border, and no length limit, so that a
// long caption or address is never cut short behind the user's back.
class TextBox : public Gtk::Entry {
public:
    TextBox();
};

}  // namespace quillomat
