#pragma once

#include <string>
#include <string_view>

#include <gtkmm/button.h>
#include <sigc++/signal.h>

#include "linkcode/color_text.h"

namespace quillomat {

// A flat box filled with one colour inside a single-line border; a click anywhere on it is
// reported. It is a button to screen readers, named, with its colour and the key that opens it
// as description and a "click" action, but takes no keyboard focus: the key stands in for it.
class ColourSwatch : public Gtk::Button {
public:
    // `key` names the window's key that does what a click does ("Alt+1").
    ColourSwatch(ColorValue colour, std::string_view name, std::string_view key);

    ColorValue Colour() const { return colour_; }
    void SetColour(ColorValue colour);

    // A click of the mouse or of a screen reader, at a moment when its handler may wait for
    // the user in a dialog.
    sigc::signal<void()>& signal_click() { return click_; }

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    void on_clicked() override;

private:
    ColorValue colour_;
    std::string key_;
    sigc::signal<void()> click_;
};

}  // namespace quillomat
