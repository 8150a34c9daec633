#include "app/widgets/colour_swatch.h"

#include <atkmm/object.h>
#include <glibmm/main.h>
#include <gtk/gtk.h>

#include "app/look/ustring.h"
#include "linkcode/color_text.h"

namespace quillomat {

ColourSwatch::ColourSwatch(ColorValue colour, std::string_view name, std::string_view key)
    : colour_(colour), key_(key)
{
    // Out of the Tab order, as on the design; a click or the key still works.
    set_can_focus(false);
    set_focus_on_click(false);
    get_accessible()->set_name(ToUString(name));
    set_tooltip_text(ToUString(std::string(name) + " (" + key_ + ")"));
    SetColour(colour);
}

void ColourSwatch::SetColour(ColorValue colour)
{
    colour_ = colour;
    // Named: GCC 12 at -O3 warns falsely (-Wrestrict) of a literal put before a temporary.
    const std::string hex = ColorToHex(colour);
    get_accessible()->set_description(ToUString("#" + hex + " (" + key_ + ")"));
    queue_draw();
}

bool ColourSwatch::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    // Only the colour and its border: no button face, whether pressed or under the pointer.
    const double width = get_allocated_width();
    const double height = get_allocated_height();
    const Rgb rgb = RgbFromColor(colour_);
    cr->set_source_rgb(rgb.red / 255.0, rgb.green / 255.0, rgb.blue / 255.0);
    cr->paint();
    cr->set_source_rgb(0, 0, 0);
    cr->set_line_width(1);
    cr->rectangle(0.5, 0.5, width - 1, height - 1);
    cr->stroke();
    return true;
}

void ColourSwatch::on_clicked()
{
    Gtk::Button::on_clicked();
    // A screen reader's click comes as a call on the accessibility bus, which answers nothing
    // more until it returns: a dialog opened inside it could not be read. It is reported after.
    if (GdkEvent* event = gtk_get_current_event()) {
        gdk_event_free(event);
        click_.emit();
        return;
    }
    Glib::signal_idle().connect_once(click_.make_slot());
}

}  // namespace quillomat
