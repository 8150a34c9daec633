#include "app/desktop/active_window.h"

namespace quillomat {

Gtk::Window* ActiveWindow()
{
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (window->get_visible() && window->is_active())
            return window;
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (window->get_visible() && window->get_type_hint() == Gdk::WINDOW_TYPE_HINT_NORMAL)
            return window;
    return nullptr;
}

}  // namespace quillomat
