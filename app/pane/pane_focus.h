#pragma once

#include <optional>

#include <gdk/gdk.h>
#include <gtkmm/enums.h>
#include <gtkmm/widget.h>
#include <gtkmm/window.h>

#include "app/widgets/focus_order.h"

namespace quillomat {

// Keeps the window's keyboard order around the web pane. Inside the page, Tab and Shift+Tab
// belong to the page. When Tab leaves the page's last link or field, or Shift+Tab its first,
// WebKit hands the focus back by asking the window to move it on (its UI client's takeFocus
// calls gtk_widget_child_focus on the toplevel), and then also returns that same key as not
// handled, which the web view dispatches to the window again: left to GTK, the focus would move
// twice, past "Réglages..." forward and back into the page backward. Here it moves once, to the
// control after or before the pane in the window's order, and the returned key is dropped.
// WebKit's own dialogs in the pane (an HTTP log-in) are widgets inside the web view: there Tab
// and Shift+Tab go round the dialog's fields and buttons and never leave it, so that Enter
// answers the dialog.
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
