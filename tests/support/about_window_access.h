#pragma once

#include <map>
#include <string>

#include "app/windows/about_window.h"

namespace quillomat {

// Lets window tests reach the About window's controls by name.
struct AboutWindowTestAccess {
    static std::map<std::string, Gtk::Widget*> Controls(AboutWindow& w)
    {
        return {{"Label1", &w.Label1},     {"Label2", &w.Label2},   {"Label4", &w.Label4},
                {"Label5", &w.Label5},     {"Label6", &w.Label6},   {"Label7", &w.Label7},
                {"Label9", &w.Label9},     {"Label10", &w.Label10}, {"Label11", &w.Label11},
                {"Command1", &w.Command1}, {"Image1", &w.Image1},   {"Shape1", &w.Shape1}};
    }
    static LinkLabel& BlogLink(AboutWindow& w) { return w.Label9; }
    static LinkLabel& SiteLink(AboutWindow& w) { return w.Label10; }
    static Gtk::Button& Ok(AboutWindow& w) { return w.Command1; }
    static Gtk::Image& Picture(AboutWindow& w) { return w.Image1; }
};

}  // namespace quillomat
