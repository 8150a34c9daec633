#include "app/pane/pane_focus.h"

#include <gdk/gdkkeysyms.h>

namespace quillomat {

bool PaneFocus::OnKeyPress(Gtk::Window& window, const GdkEventKey& event)
{
    const bool isTab = event.keyval == GDK_KEY_Tab || event.keyval == GDK_KEY_ISO_Left_Tab ||
                       event.keyval == GDK_KEY_KP_Tab;
    if (!isTab)
        return false;
    const KeyStamp stamp{event.time, event.keyval, event.state};
    if (std::exchange(handedBack_, std::nullopt) == stamp) {
        // The web view sends a key it returns through itself again, and until it has seen it
        // it lets the next key it gets bypass the page: it is given the key, which it drops.
        gtk_widget_event(pane_.gobj(),
                         reinterpret_cast<GdkEvent*>(const_cast<GdkEventKey*>(&event)));
        return true;
    }
    if (InPage(window)) {
        givenToPage_ = stamp;
        return false;
    }
    return order_.MoveOnTab(window, event);
}

bool PaneFocus::OnFocus(Gtk::Window& window, Gtk::DirectionType direction)
{
    const bool tab = direction == Gtk::DIR_TAB_FORWARD || direction == Gtk::DIR_TAB_BACKWARD;
    if (!tab || !InPage(window) || !order_.MoveFrom(&pane_, direction == Gtk::DIR_TAB_FORWARD))
        return false;
    handedBack_ = std::exchange(givenToPage_, std::nullopt);
    return true;
}

bool PaneFocus::InPage(Gtk::Window& window) const
{
    Gtk::Widget* focus = window.get_focus();
    return focus && (focus == &pane_ || focus->is_ancestor(pane_));
}

}  // namespace quillomat
