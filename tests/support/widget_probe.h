// What a user sees of a control and how a user acts on it, for window tests.
#pragma once

#include <gdk/gdk.h>
#include <gtkmm/label.h>
#include <gtkmm/stylecontext.h>
#include <gtkmm/widget.h>
#include <gtkmm/window.h>
#include <pango/pango.h>

#include <string>
#include <vector>

namespace quillomat::testing {

// Where the control's top left corner stands in `container`.
inline std::pair<int, int> PositionIn(Gtk::Widget& control, Gtk::Widget& container)
{
    int x = -1, y = -1;
    control.translate_coordinates(container, 0, 0, x, y);
    return {x, y};
}

// The shown windows of the kind `Window`.
template <typename Window>
std::vector<Window*> ShownWindows()
{
    std::vector<Window*> found;
    for (Gtk::Window* shown : Gtk::Window::list_toplevels())
        if (auto* each = dynamic_cast<Window*>(shown); each && each->get_visible())
            found.push_back(each);
    return found;
}

template <typename Window>
Window* ShownWindow()
{
    const std::vector<Window*> shown = ShownWindows<Window>();
    return shown.empty() ? nullptr : shown.front();
}

// "rgb(r,g,b)" of the text colour.
inline std::string TextColour(Gtk::Widget& control)
{
    return control.get_style_context()->get_color(control.get_state_flags()).to_string();
}

inline bool IsBold(Gtk::Widget& control)
{
    return control.get_style_context()->get_font(control.get_state_flags()).get_weight() ==
           Pango::WEIGHT_BOLD;
}

// Whether the label's text is drawn with a single underline.
inline bool IsUnderlined(Gtk::Label& label)
{
    PangoAttrList* attributes = pango_layout_get_attributes(label.get_layout()->gobj());
    if (!attributes)
        return false;
    bool underlined = false;
    GSList* list = pango_attr_list_get_attributes(attributes);
    for (GSList* item = list; item; item = item->next) {
        auto* attribute = static_cast<PangoAttribute*>(item->data);
        if (attribute->klass->type == PANGO_ATTR_UNDERLINE &&
            reinterpret_cast<PangoAttrInt*>(attribute)->value == PANGO_UNDERLINE_SINGLE)
            underlined = true;
        pango_attribute_destroy(attribute);
    }
    g_slist_free(list);
    return underlined;
}

// A press and a release of a mouse button, the left one unless told, in the middle of a control
// with a window; two make a double-click, whose second press GDK follows with a double press.
inline void ClickWithMouse(Gtk::Widget& control, int clicks = 1, guint button = 1)
{
    std::vector<GdkEventType> events = {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE};
    if (clicks == 2)
        events = {GDK_BUTTON_PRESS, GDK_BUTTON_RELEASE, GDK_BUTTON_PRESS, GDK_2BUTTON_PRESS,
                  GDK_BUTTON_RELEASE};
    for (GdkEventType type : events) {
        GdkEvent* event = gdk_event_new(type);
        event->button.window = GDK_WINDOW(g_object_ref(control.get_window()->gobj()));
        event->button.button = button;
        event->button.x = control.get_allocated_width() / 2.0;
        event->button.y = control.get_allocated_height() / 2.0;
        event->button.time = GDK_CURRENT_TIME;
        gdk_event_set_device(event, gdk_seat_get_pointer(gdk_display_get_default_seat(
                                        gdk_window_get_display(event->button.window))));
        gtk_widget_event(GTK_WIDGET(control.gobj()), event);
        gdk_event_free(event);
    }
}

// One key pressed while `window` has the keyboard.
inline void PressKey(Gtk::Window& window, guint keyval, guint modifiers = 0)
{
    GdkEvent* key = gdk_event_new(GDK_KEY_PRESS);
    key->key.window = GDK_WINDOW(g_object_ref(window.get_window()->gobj()));
    key->key.keyval = keyval;
    key->key.state = modifiers;
    key->key.time = GDK_CURRENT_TIME;
    GdkDisplay* display = gdk_window_get_display(key->key.window);
    gdk_event_set_device(key, gdk_seat_get_keyboard(gdk_display_get_default_seat(display)));
    // Key bindings such as Tab's match on the hardware key.
    g_autofree GdkKeymapKey* keys = nullptr;
    gint count = 0;
    if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), keyval, &keys,
                                          &count) &&
        count > 0)
        key->key.hardware_keycode = keys[0].keycode;
    gtk_widget_event(GTK_WIDGET(window.gobj()), key);
    gdk_event_free(key);
}

}  // namespace quillomat::testing
