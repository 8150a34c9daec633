#pragma once

#include <gdkmm/rectangle.h>
#include <gtkmm/window.h>

namespace quillomat {

// The work area (the monitor less the desktop's panels) of the monitor that shows the window,
// or, before it is shown, of the primary monitor, where a centred window opens.
Gdk::Rectangle WorkAreaFor(Gtk::Window& window);

// Moves a shown window so that it stands in the middle of its work area with the window
// manager's frame around it, `width` × `height` pixels in all: GTK centres a window without it.
void CentreInWorkArea(Gtk::Window& window, int width, int height);

// The text resolution at which a layout of `designWidth` × `designHeight` pixels at 96 dpi,
// inside a window frame of `frameWidth` × `frameHeight` pixels, fits in `room`: the screen's
// own where the layout fits at it, else the highest that fits, but never below 96 dpi.
double ResolutionToFit(double screenResolution, int designWidth, int designHeight,
                       const Gdk::Rectangle& room, int frameWidth, int frameHeight);

}  // namespace quillomat
