#pragma once

#include <gtkmm/fixed.h>

namespace quillomat {

// Puts a control at its design position with its design size, in pixels from the top left
// corner of its container.
inline void Place(Gtk::Fixed& container, Gtk::Widget& control, int x, int y, int width, int height)
{
    control.set_size_request(width, height);
    container.put(control, x, y);
}

}  // namespace quillomat
