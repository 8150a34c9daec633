#pragma once

#include <optional>

#include <gdk/gdk.h>
#include <gtkmm/enums.h>
#include <gtkmm/widget.h>
#include <gtkmm/window.h>

#include "app/widgets/focus_order.h"

namespace quillomat {

// Keeps the window's keyboard order around the web pane; inside the page, Tab and Shift+Tab are
// the page's. When Tab leaves the page's last element (Shift+Tab its first), WebKit asks the
// window to move the focus on (takeFocus), then also returns the key as not handled, which
// reaches the window again: left to GTK, the focus would move twice. Here it moves once, to the
// control after or before the pane, and the returned key is dropped. In WebKit's own dialogs in
// the pane (an HTTP log-in), Tab and Shift+Tab go round the dialog, so that Enter answers it.
class PaneFocus {
public:
    PaneFocus(Gtk::Widget& pane, const FocusOrder& order) : pane_(pane), order_(order) {}

    // From the window's key handler; returns whether the key was dealt with.
    bool OnKeyPress(Gtk::Window& window, const GdkEventKey& event);
    // From the window's focus handler; returns whether the focus was moved.
    bool OnFocus(Gtk::Window& window, Gtk::DirectionType direction);

private:
    struct KeyStamp {
        guint32 time;
        guint keyval;
        guint state;
        bool operator==(const KeyStamp&) const = default;
    };

    bool InPage(Gtk::Window& window) const;
    // The dialog of WebKit's that has the focus, if any.
    Gtk::Widget* DialogInPane(Gtk::Window& window) const;

    Gtk::Widget& pane_;
    const FocusOrder& order_;
    // The last Tab that went to the page, and the one the page is about to hand back.
    std::optional<KeyStamp> givenToPage_;
    std::optional<KeyStamp> handedBack_;
};

}  // namespace quillomat
