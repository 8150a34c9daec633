#include "app/widgets/screen_fit.h"

#include <gdkmm/display.h>
#include <gdkmm/monitor.h>
#include <gdkmm/window.h>

#include <algorithm>

#include "app/widgets/fixed_layout.h"

namespace quillomat {

Gdk::Rectangle WorkAreaFor(Gtk::Window& window)
{
    Glib::RefPtr<Gdk::Display> display = window.get_display();
    Glib::RefPtr<Gdk::Monitor> monitor;
    if (Glib::RefPtr<Gdk::Window> shown = window.get_window(); shown && window.get_mapped())
        monitor = display->get_monitor_at_window(shown);
    if (!monitor)
        monitor = display->get_primary_monitor();
    if (!monitor)
        monitor = display->get_monitor(0);
    Gdk::Rectangle area;
    if (monitor)
        monitor->get_workarea(area);
    return area;
}

void CentreInWorkArea(Gtk::Window& window, int width, int height)
{
    const Gdk::Rectangle area = WorkAreaFor(window);
    // With the default gravity the position asked for is the frame's own.
    window.move(area.get_x() + (area.get_width() - width) / 2,
                area.get_y() + (area.get_height() - height) / 2);
}

double ResolutionToFit(double screenResolution, int designWidth, int designHeight,
                       const Gdk::Rectangle& room, int frameWidth, int frameHeight)
{
    if (screenResolution <= DesignResolution || room.get_width() <= 0 || room.get_height() <= 0)
        return screenResolution > 0 ? screenResolution : DesignResolution;
    const double widthScale = static_cast<double>(room.get_width() - frameWidth) / designWidth;
    const double heightScale = static_cast<double>(room.get_height() - frameHeight) / designHeight;
    const double scale = std::min({screenResolution / DesignResolution, widthScale, heightScale});
    return std::max(DesignResolution, scale * DesignResolution);
}

}  // namespace quillomat
