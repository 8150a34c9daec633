#include "app/widgets/rectangle_outline.h"

namespace quillomat {

bool RectangleOutline::on_draw(const Cairo::RefPtr<Cairo::Context>& context)
{
    // Half-pixel offsets put the one-pixel line on whole pixels.
    context->set_source_rgb(0, 0, 0);
    context->set_line_width(1);
    context->rectangle(0.5, 0.5, get_allocated_width() - 1, get_allocated_height() - 1);
    context->stroke();
    return true;
}

}  // namespace quillomat
