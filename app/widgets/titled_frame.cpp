#include "app/widgets/titled_frame.h"

#include <gtkmm/label.h>

#include "app/look/ustring.h"
#include "app/widgets/accessible_names.h"

namespace quillomat {

TitledFrame::TitledFrame(std::string_view title, int width, int height)
    : FixedLayout(width, height), border_(ToUString(title))
{
    border_.get_style_context()->add_class("titled-frame");
    // The controls lie in this container, not in the border: their context for a screen reader.
    SetAccessibleName(*this, title);
    Place(border_, 0, 0, width, height);
}

}  // namespace quillomat
