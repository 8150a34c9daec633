#pragma once

#include <string_view>

#include <gtkmm/frame.h>

#include "app/widgets/fixed_layout.h"

namespace quillomat {

// A frame with a bold title whose controls are placed from the frame's own top-left corner,
// border and title included, as in the window layouts.
class TitledFrame : public FixedLayout {
public:
    TitledFrame(std::string_view title, int width, int height);

private:
    Gtk::Frame border_;
};

}  // namespace quillomat
