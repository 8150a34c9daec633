#include "tests/support/page_pop_ups.h"

#include <webkit2/webkit2.h>

namespace quillomat::testing {

std::vector<Gtk::Window*> PagePopUps(const Gtk::Window& main)
{
    std::vector<Gtk::Window*> popups;
    for (Gtk::Window* each : Gtk::Window::list_toplevels())
        if (each != &main && each->get_visible() && each->get_child() &&
            WEBKIT_IS_WEB_VIEW(each->get_child()->gobj()))
            popups.push_back(each);
    return popups;
}

}  // namespace quillomat::testing
