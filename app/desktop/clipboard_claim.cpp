#include "app/desktop/clipboard_claim.h"

#include <gtkmm/clipboard.h>
#include <gtkmm/invisible.h>
#include <gtkmm/selectiondata.h>
#include <gtkmm/targetentry.h>

#include <vector>

// Last: Xlib's macros clash with the C++ headers.
#include <gdk/gdkx.h>

namespace quillomat {

namespace {

// Every text format the toolkit offers for a text it copies.
const std::vector<Gtk::TargetEntry>& TextTargets()
{
    static const std::vector<Gtk::TargetEntry> targets = [] {
        GtkTargetList* list = gtk_target_list_new(nullptr, 0);
        gtk_target_list_add_text_targets(list, 0);
        int count = 0;
        GtkTargetEntry* table = gtk_target_table_new_from_list(list, &count);
        std::vector<Gtk::TargetEntry> entries(table, table + count);
        gtk_target_table_free(table, count);
        gtk_target_list_unref(list);
        return entries;
    }();
    return targets;
}

bool Claim(const Glib::RefPtr<Gtk::Clipboard>& clipboard, const Glib::ustring& text)
{
    return clipboard->set(
        TextTargets(), [text](Gtk::SelectionData& data, guint) { data.set_text(text); }, [] {});
}

// The toolkit stamps a claim with the time of the event it is handling, the click on "Copier",
// and with the X server's time now only outside any event. A program that took the clipboard
// between the click and its handling, while this one was busy, claimed it later than the click:
// the server keeps that program's claim. So the second claim is made while handling an event of
// our own that carries the server's time now.
bool ClaimWithTimeNow(const Glib::RefPtr<Gtk::Clipboard>& clipboard, const Glib::ustring& text)
{
    static Gtk::Invisible* const stamp = [] {
        auto* widget = new Gtk::Invisible;
        // The server's time comes with the notice of a property change.
        widget->add_events(Gdk::PROPERTY_CHANGE_MASK);
        gtk_widget_realize(GTK_WIDGET(widget->gobj()));
        return widget;
    }();
    GdkWindow* window = stamp->get_window()->gobj();
    if (!GDK_IS_X11_WINDOW(window))
        return Claim(clipboard, text);

    GdkEvent* now = gdk_event_new(GDK_PROPERTY_NOTIFY);
    now->property.window = GDK_WINDOW(g_object_ref(window));
    now->property.send_event = TRUE;
    now->property.atom = gdk_atom_intern_static_string("CLIPBOARD");
    now->property.time = gdk_x11_get_server_time(window);
    now->property.state = GDK_PROPERTY_NEW_VALUE;
    bool claimed = false;
    sigc::connection handler =
        stamp->signal_property_notify_event().connect([&](GdkEventProperty*) {
            claimed = Claim(clipboard, text);
            return true;
        });
    gtk_main_do_event(now);
    handler.disconnect();
    gdk_event_free(now);
    return claimed;
}

}  // namespace

bool ClaimClipboard(const Glib::ustring& text)
{
    const Glib::RefPtr<Gtk::Clipboard> clipboard = Gtk::Clipboard::get(GDK_SELECTION_CLIPBOARD);
    clipboard->clear();
    if (!Claim(clipboard, text) && !ClaimWithTimeNow(clipboard, text))
        return false;
    // Lets a clipboard manager keep the code once the program has ended.
    clipboard->set_can_store();
    return true;
}

}  // namespace quillomat
