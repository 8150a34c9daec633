#include "app/widgets/accessible_names.h"

#include <atkmm/object.h>

#include "app/look/ustring.h"

namespace quillomat {

void LabelledBy(Gtk::Widget& control, Gtk::Label& label)
{
    // The toolkit gives both relations to a label and its mnemonic widget; no caption has a key.
    label.set_mnemonic_widget(control);
}

void NameAfterLabel(Gtk::Widget& control, Gtk::Label& label)
{
    LabelledBy(control, label);
    control.get_accessible()->set_name(label.get_text());
}

void SetAccessibleName(Gtk::Widget& control, std::string_view name)
{
    control.get_accessible()->set_name(ToUString(name));
}

}  // namespace quillomat
