#pragma once

#include <gtkmm/window.h>

namespace quillomat {

// The window the user is working in, so that a box or a picker opens over it; without a
// window manager no window is active, and the first visible ordinary window stands in.
Gtk::Window* ActiveWindow();

}  // namespace quillomat
