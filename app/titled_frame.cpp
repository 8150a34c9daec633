#include "app/titled_frame.h"

#include <gtkmm/label.h>

#include "app/ustring.h"

namespace quillomat {

TitledFrame::TitledFrame(std::string_view title, int width, int height) : border_(ToUString(title))
{
    set_size_request(width, height);
    border_.set_size_request(width, height);
    border_.get_style_context()->add_class("titled-frame");
    put(border_, 0, 0);
}

}  // namespace quillomat
