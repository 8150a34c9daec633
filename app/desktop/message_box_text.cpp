#include "app/desktop/message_box_text.h"

#include <gtkmm/box.h>
#include <gtkmm/label.h>

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

}  // namespace quillomat
