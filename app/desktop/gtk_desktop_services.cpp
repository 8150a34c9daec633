#include "app/desktop/gtk_desktop_services.h"

#include "app/desktop/program_run.h"
#include "app/look/ustring.h"

#include <gtkmm/clipboard.h>
#include <gtkmm/image.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>

namespace quillomat {

namespace {

void RunMessageBox(Gtk::Window* parent, std::string_view text, MessageIcon icon,
                   std::string_view title)
{
    // The program ends: the box would hold its end, and nobody would read it.
    if (ProgramEnding())
        return;
    const bool isError = icon == MessageIcon::Error;
    Gtk::MessageDialog box(ToUString(text), false, isError ? Gtk::MESSAGE_ERROR : Gtk::MESSAGE_INFO,
                           Gtk::BUTTONS_NONE, true);
    box.set_title(ToUString(title));
    box.add_button("OK", Gtk::RESPONSE_OK);
    box.set_default_response(Gtk::RESPONSE_OK);
    // GTK 3 no longer draws the message type's icon by itself.
    Gtk::Image image;
    image.set_from_icon_name(isError ? "dialog-error" : "dialog-information",
                             Gtk::ICON_SIZE_DIALOG);
    box.set_image(image);
    image.show();
    if (parent) {
        box.set_transient_for(*parent);
        box.set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
    }
    // Returns once answered, or once hidden as the program ends.
    box.run();
}

}  // namespace

void GtkDesktopServices::ShowMessage(Gtk::Window& parent, std::string_view text, MessageIcon icon,
                                     std::string_view title)
{
    RunMessageBox(&parent, text, icon, title);
}

void ShowStandaloneMessage(std::string_view text, MessageIcon icon, std::string_view title)
{
    RunMessageBox(nullptr, text, icon, title);
}

void GtkDesktopServices::PutTextOnClipboard(std::string_view text)
{
    const Glib::RefPtr<Gtk::Clipboard> clipboard = Gtk::Clipboard::get(GDK_SELECTION_CLIPBOARD);
    clipboard->clear();
    clipboard->set_text(ToUString(text));
    // Lets a clipboard manager keep the code once the program has ended.
    clipboard->set_can_store();
}

}  // namespace quillomat
