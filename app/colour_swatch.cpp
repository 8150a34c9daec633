#include "app/colour_swatch.h"

namespace quillomat {

ColourSwatch::ColourSwatch(ColorValue colour) : colour_(colour)
{
    add_events(Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK);
}

void ColourSwatch::SetColour(ColorValue colour)
{
    colour_ = colour;
    queue_draw();
}

bool ColourSwatch::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    const double width = get_allocated_width();
    const double height = get_allocated_height();
    cr->set_source_rgb((colour_ & 0xFF) / 255.0, ((colour_ >> 8) & 0xFF) / 255.0,
                       ((colour_ >> 16) & 0xFF) / 255.0);
    cr->paint();
    cr->set_source_rgb(0, 0, 0);
    cr->set_line_width(1);
    cr->rectangle(0.5, 0.5, width - 1, height - 1);
    cr->stroke();
    return true;
}

bool ColourSwatch::on_button_release_event(GdkEventButton* event)
{
    if (event->button == 1)
        clicked_.emit();
    return true;
}

}  // namespace quillomat
