#include "app/colour_swatch.h"

#include "linkcode/color_value.h"

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
    const Rgb rgb = RgbFromColor(colour_);
    cr->set_source_rgb(rgb.red / 255.0, rgb.green / 255.0, rgb.blue / 255.0);
    cr->paint();
    cr->set_source_rgb(0, 0, 0);
    cr->set_line_width(1);
    cr->rectangle(0.5, 0.5, width - 1, height - 1);
    cr->stroke();
    return true;
}

bool ColourSwatch::on_button_release_event(GdkEventButton* event)
{
    // As with a button, letting go outside the swatch takes the click back.
    const bool overSwatch = event->x >= 0 && event->y >= 0 && event->x < get_allocated_width() &&
                            event->y < get_allocated_height();
    if (event->button == 1 && overSwatch)
        clicked_.emit();
    return true;
}

}  // namespace quillomat
