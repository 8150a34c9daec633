#include "app/widgets/focus_order.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm/entry.h>

namespace quillomat {

namespace {

void Focus(Gtk::Widget& control)
{
    // A text box keeps its caret: with its text selected on the way in, a screen reader reads
    // out the text alone, without the box's label
    // (ProgramTest.AScreenReaderReadsAndClicksTheMainWindow).
    if (auto* entry = dynamic_cast<Gtk::Entry*>(&control))
        entry->grab_focus_without_selecting();
    else
        control.grab_focus();
}

}  // namespace

bool FocusOrder::MoveOnTab(Gtk::Window& window, const GdkEventKey& event) const
{
    const bool isTab = event.keyval == GDK_KEY_Tab || event.keyval == GDK_KEY_ISO_Left_Tab ||
                       event.keyval == GDK_KEY_KP_Tab;
    if (!isTab || (event.state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) || controls_.empty())
        return false;
    const bool forward = !(event.state & GDK_SHIFT_MASK) && event.keyval != GDK_KEY_ISO_Left_Tab;
    return MoveFrom(window.get_focus(), forward);
}

bool FocusOrder::MoveFrom(const Gtk::Widget* from, bool forward) const
{
    const int count = static_cast<int>(controls_.size());
    int current = forward ? -1 : count;
    for (int index = 0; index < count; ++index)
        if (controls_[index] == from)
            current = index;
    for (int step = 1; step <= count; ++step) {
        const int index = ((current + (forward ? step : -step)) % count + count) % count;
        Gtk::Widget* candidate = controls_[index];
        if (candidate->is_sensitive() && candidate->get_visible()) {
            Focus(*candidate);
            return true;
        }
    }
    return false;
}

}  // namespace quillomat
