#pragma once

#include <string_view>

#include <gtkmm/button.h>

#include "linkcode/color_text.h"

namespace quillomat {

// A flat box filled with one colour inside a single-line border; a click anywhere on it is
// reported. It is a button to screen readers, named, with its colour as description and a
// "click" action, but takes no keyboard focus.
class ColourSwatch : public Gtk::Button {
public:
    ColourSwatch(ColorValue colour, std::string_view name);

    ColorValue Colour() const { return colour_; }
    void SetColour(ColorValue colour);

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    ColorValue colour_;
};

}  // namespace quillomat
