#pragma once

#include <cairomm/context.h>
#include <gtkmm/drawingarea.h>

namespace quillomat {

// A one-pixel black rectangle outline that fills its allocation and holds nothing.
class RectangleOutline : public Gtk::DrawingArea {
public:
    RectangleOutline();

private:
    bool Draw(const Cairo::RefPtr<Cairo::Context>& context);
};

}  // namespace quillomat
