#pragma once

#include <cairomm/context.h>
#include <gtkmm/drawingarea.h>

namespace quillomat {

// A one-pixel black rectangle outline that fills its allocation and holds nothing.
class RectangleOutline : public Gtk::DrawingArea {
protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& context) override;
};

}  // namespace quillomat
