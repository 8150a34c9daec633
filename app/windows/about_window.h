#pragma once

#include <functional>
#include <string_view>

#include <gtkmm/button.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

#include "app/desktop/desktop_services.h"
#include "app/widgets/fixed_layout.h"
#include "app/widgets/link_label.h"
#include "app/widgets/rectangle_outline.h"

namespace quillomat {

// The About window `Form3`: who made the program, with links to the maker's blog and site.
class AboutWindow : public Gtk::Window {
public:
    // `closed` runs once the title bar has closed the window, hidden; the owner then discards it.
    AboutWindow(DesktopServices& desktop, std::function<void()> closed);

    // Shows the window as the active one; a hidden window comes back at its design position.
    void Present();

private:
    friend struct AboutWindowTestAccess;

    void PlaceControls();
    void ApplyLook();
    void ConnectSignals();
    // The picture fills its box at the text resolution in force.
    void FitPicture();

    void OnOkClicked();
    void OnLinkClicked(std::string_view address);
    bool OnCloseRequested(GdkEventAny* event);

    DesktopServices& desktop_;
    std::function<void()> closed_;

    FixedLayout layout_;
    Gtk::Label Label1;
    Gtk::Label Label2;
    Gtk::Label Label4;
    Gtk::Label Label5;
    Gtk::Label Label6;
    Gtk::Label Label7;
    LinkLabel Label9;
    LinkLabel Label10;
    Gtk::Label Label11;
    Gtk::Button Command1;
    Gtk::Image Image1;
    RectangleOutline Shape1;
};

}  // namespace quillomat
