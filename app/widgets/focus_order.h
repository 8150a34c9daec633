#pragma once

#include <vector>

#include <gdk/gdk.h>
#include <gtkmm/widget.h>
#include <gtkmm/window.h>

namespace quillomat {

// A window's Tab order as its design lists it, whatever the controls' places; disabled and
// hidden controls are skipped, and a text box is entered with its caret where it was.
class FocusOrder {
public:
    explicit FocusOrder(std::vector<Gtk::Widget*> controls) : controls_(std::move(controls)) {}

    // Moves the focus on a plain Tab (forward) or Shift+Tab (back); returns whether it did.
    bool MoveOnTab(Gtk::Window& window, const GdkEventKey& event) const;
    // Moves the focus to the control after (or before) `from` in the order.
    bool MoveFrom(const Gtk::Widget* from, bool forward) const;

private:
    std::vector<Gtk::Widget*> controls_;
};

}  // namespace quillomat
