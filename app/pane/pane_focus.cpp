#include "app/pane/pane_focus.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm/container.h>

namespace quillomat {

namespace {

// Moves the focus to the next control of `area`, from the last one back to the first.
void MoveRound(Gtk::Window& window, Gtk::Widget& area, Gtk::DirectionType direction)
{
    if (area.child_focus(direction))
        return;
    // GTK starts afresh, at the first control or the last, in containers that have forgotten
    // which child had the focus.
    for (Gtk::Widget* inside = window.get_focus(); inside && inside != &area;
         inside = inside->get_parent())
        if (auto* container = dynamic_cast<Gtk::Container*>(inside->get_parent()))
            gtk_container_set_focus_child(container->gobj(), nullptr);
    area.child_focus(direction);
}

}  // namespace

bool PaneFocus::OnKeyPress(Gtk::Window& window, const GdkEventKey& event)
{
    const bool isTab = event.keyval == GDK_KEY_Tab || event.keyval == GDK_KEY_ISO_Left_Tab ||
                       event.keyval == GDK_KEY_KP_Tab;
    if (!isTab)
        return false;
    if (Gtk::Widget* dialog = DialogInPane(window)) {
        const bool back = event.keyval == GDK_KEY_ISO_Left_Tab || (event.state & GDK_SHIFT_MASK);
        MoveRound(window, *dialog, back ? Gtk::DIR_TAB_BACKWARD : Gtk::DIR_TAB_FORWARD);
        return true;
    }
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

Gtk::Widget* PaneFocus::DialogInPane(Gtk::Window& window) const
{
    Gtk::Widget* dialog = window.get_focus();
    if (!dialog || dialog == &pane_ || !dialog->is_ancestor(pane_))
        return nullptr;
    while (dialog->get_parent() != &pane_)
        dialog = dialog->get_parent();
    return dialog;
}

bool PaneFocus::InPage(Gtk::Window& window) const
{
    Gtk::Widget* focus = window.get_focus();
    return focus && (focus == &pane_ || focus->is_ancestor(pane_));
}

}  // namespace quillomat
