#pragma once

#include <sigc++/signal.h>

#include <gtkmm/drawingarea.h>

#include "linkcode/color_text.h"

namespace quillomat {

// A flat box filled with one colour inside a single-line border; a click anywhere on it is
// reported.
class ColourSwatch : public Gtk::DrawingArea {
public:
    explicit ColourSwatch(ColorValue colour);

    ColorValue Colour() const { return colour_; }
    void SetColour(ColorValue colour);

    sigc::signal<void()>& signal_clicked() { return clicked_; }

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    bool on_button_release_event(GdkEventButton* event) override;

private:
    ColorValue colour_;
    sigc::signal<void()> clicked_;
};

}  // namespace quillomat
