#include "app/desktop/gtk_desktop_services.h"

#include "app/desktop/clipboard_claim.h"
#include "app/desktop/message_box_text.h"
#include "app/look/ustring.h"
#include "main_use/program_end.h"

#include <atkmm/object.h>

namespace quillomat {

void GtkDesktopServices::RunMessageBox(std::string_view text, MessageIcon icon,
                                       std::string_view title)
{
    // The program ends: the box would hold its end, and nobody would read it.
    if (ProgramEnding())
        return;
    const std::unique_ptr<Gtk::MessageDialog> box =
        MakeMessageBox(text, icon, title, true, BoxParent());
    // A screen reader tells the box by its title too, not only by its kind ("Information").
    box->get_accessible()->set_description(box->get_accessible()->get_name());
    box->get_accessible()->set_name(ToUString(title));
    // Returns once answered, or once hidden as the program ends.
    box->run();
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
