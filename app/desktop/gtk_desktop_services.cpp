#include "app/desktop/gtk_desktop_services.h"

#include "app/desktop/clipboard_claim.h"
#include "app/desktop/message_box_text.h"
#include "app/look/ustring.h"
#include "main_use/program_end.h"

#include <atkmm/object.h>
#include <gtkmm/image.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>

namespace quillomat {

void GtkDesktopServices::RunMessageBox(std::string_view text, MessageIcon icon,
                                       std::string_view title)
{
    // The program ends: the box would hold its end, and nobody would read it.
    if (ProgramEnding())
        return;
    const bool isError = icon == MessageIcon::Error;
    Gtk::MessageDialog box(ToUString(text), false, isError ? Gtk::MESSAGE_ERROR : Gtk::MESSAGE_INFO,
                           Gtk::BUTTONS_NONE, true);
    box.set_title(ToUString(title));
    BreakLongWords(box);
    // A screen reader tells the box by its title too, not only by its kind ("Information").
    box.get_accessible()->set_description(box.get_accessible()->get_name());
    box.get_accessible()->set_name(ToUString(title));
    box.add_button("OK", Gtk::RESPONSE_OK);
    box.set_default_response(Gtk::RESPONSE_OK);
    // GTK 3 no longer draws the message type's icon by itself.
    Gtk::Image image;
    image.set_from_icon_name(isError ? "dialog-error" : "dialog-information",
                             Gtk::ICON_SIZE_DIALOG);
    box.set_image(image);
    image.show();
    if (Gtk::Window* parent = BoxParent()) {
        box.set_transient_for(*parent);
        box.set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
    }
    // Returns once answered, or once hidden as the program ends.
    box.run();
}

bool GtkDesktopServices::PlaceOnClipboard(std::string_view text)
{
    return ClaimClipboard(ToUString(text));
}

void GtkDesktopServices::HideOpenBoxes()
{
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (window->get_modal() && window->get_visible())
            window->hide();
}

}  // namespace quillomat
