#pragma once

#include <gtkmm/window.h>

#include <vector>

namespace quillomat::testing {

// The shown windows other than `main` that hold a web page: the pane's pop-ups.
std::vector<Gtk::Window*> PagePopUps(const Gtk::Window& main);

}  // namespace quillomat::testing
