#pragma once

#include <gtkmm/label.h>
#include <gtkmm/tooltip.h>

namespace quillomat {

// A label sized to its text up to a width of its own: a longer text is cut there with an
// ellipsis, never widening its window, and shows whole as the label's tool tip.
class CutLabel : public Gtk::Label {
public:
    CutLabel();

    void SetMaxWidth(int width);

protected:
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;

private:
    bool OnQueryTooltip(int x, int y, bool keyboard, const Glib::RefPtr<Gtk::Tooltip>& tooltip);

    int maxWidth_ = 0;
    Gtk::Label tip_;
};

}  // namespace quillomat
