#include "app/desktop/message_box_text.h"

#include <gtkmm/box.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include "app/look/ustring.h"

namespace quillomat {

void BreakLongWords(Gtk::MessageDialog& box)
{
    for (Gtk::Widget* child : box.get_message_area()->get_children())
        if (auto* label = dynamic_cast<Gtk::Label*>(child)) {
            label->set_line_wrap_mode(Pango::WRAP_WORD_CHAR);
            // No hyphen where a word breaks: it would read as part of a path. The box's own
            // look (its bold message) stays.
            PangoAttrList* shown = gtk_label_get_attributes(label->gobj());
            PangoAttrList* attributes = shown ? pango_attr_list_copy(shown) : pango_attr_list_new();
            pango_attr_list_insert(attributes, pango_attr_insert_hyphens_new(FALSE));
            gtk_label_set_attributes(label->gobj(), attributes);
            pango_attr_list_unref(attributes);
        }
}

std::unique_ptr<Gtk::MessageDialog> MakeMessageBox(std::string_view text, MessageIcon icon,
                                                   std::string_view title, bool modal,
                                                   Gtk::Window* parent)
{
    const bool isError = icon == MessageIcon::Error;
    auto box = std::make_unique<Gtk::MessageDialog>(
        ToUString(text), false, isError ? Gtk::MESSAGE_ERROR : Gtk::MESSAGE_INFO, Gtk::BUTTONS_NONE,
        modal);
    box->set_title(ToUString(title));
    BreakLongWords(*box);
    box->add_button("OK", Gtk::RESPONSE_OK);
    box->set_default_response(Gtk::RESPONSE_OK);
    // GTK 3 no longer draws the message type's icon by itself.
    auto* image = Gtk::make_managed<Gtk::Image>();
    image->set_from_icon_name(isError ? "dialog-error" : "dialog-information",
                              Gtk::ICON_SIZE_DIALOG);
    box->set_image(*image);
    image->show();
    if (parent) {
        box->set_transient_for(*parent);
        box->set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
    }
    return box;
}

}  // namespace quillomat
