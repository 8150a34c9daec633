#include "app/pane/pane_shortcuts.h"

#include <gdk/gdkkeysyms.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <array>
#include <utility>

#include "app/pane/signal_link.h"
#include "app/widgets/shortcut_key.h"

namespace quillomat {

namespace {

// The zoom levels browsers step through.
constexpr std::array<double, 14> ZoomLevels = {0.3, 0.5,  0.67, 0.8, 0.9, 1.0, 1.1,
                                               1.2, 1.33, 1.5,  1.7, 2.0, 2.4, 3.0};

constexpr guint MouseBackButton = 8;
constexpr guint MouseForwardButton = 9;

}  // namespace

PaneShortcuts::PaneShortcuts(Navigation navigation, WebKitWebView* view)
    : navigation_(std::move(navigation)), view_(view)
{
    gtk_widget_add_events(GTK_WIDGET(view_), GDK_BUTTON_PRESS_MASK | GDK_SCROLL_MASK);
    ConnectWhileAlive<&PaneShortcuts::OnButtonPress>(view_, "button-press-event", this);
    ConnectWhileAlive<&PaneShortcuts::OnScroll>(view_, "scroll-event", this);
}

bool PaneShortcuts::OnKeyPress(const GdkEventKey& event)
{
    const guint modifiers =
        event.state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SHIFT_MASK | GDK_SUPER_MASK);
    if (modifiers == GDK_MOD1_MASK &&
        (event.keyval == GDK_KEY_Left || event.keyval == GDK_KEY_KP_Left)) {
        navigation_.goBack();
        return true;
    }
    if (modifiers == GDK_MOD1_MASK &&
        (event.keyval == GDK_KEY_Right || event.keyval == GDK_KEY_KP_Right)) {
        navigation_.goForward();
        return true;
    }
    if ((modifiers == 0 && event.keyval == GDK_KEY_F5) ||
        (modifiers == GDK_CONTROL_MASK && KeyCarries(event, {GDK_KEY_r}))) {
        navigation_.reload();
        return true;
    }
    // Escape belongs to the page, or to the control that has the focus, unless a load runs.
    if (modifiers == 0 && event.keyval == GDK_KEY_Escape && webkit_web_view_is_loading(view_)) {
        navigation_.stopLoading();
        return true;
    }
    if (!(event.state & GDK_CONTROL_MASK) || (event.state & GDK_MOD1_MASK))
        return false;
    if (KeyCarries(event, {GDK_KEY_plus, GDK_KEY_equal, GDK_KEY_KP_Add}))
        Zoom(true);
    else if (KeyCarries(event, {GDK_KEY_minus, GDK_KEY_KP_Subtract}))
        Zoom(false);
    else if (KeyCarries(event, {GDK_KEY_0, GDK_KEY_KP_0}))
        webkit_web_view_set_zoom_level(view_, 1.0);
    else
        return false;
    return true;
}

void PaneShortcuts::Zoom(bool in)
{
    // The next level up or down past a rounding error; none past either end.
    const double current = webkit_web_view_get_zoom_level(view_);
    const auto above = std::upper_bound(ZoomLevels.begin(), ZoomLevels.end(), current + 0.001);
    const auto below = std::lower_bound(ZoomLevels.begin(), ZoomLevels.end(), current - 0.001);
    if (in && above != ZoomLevels.end())
        webkit_web_view_set_zoom_level(view_, *above);
    else if (!in && below != ZoomLevels.begin())
        webkit_web_view_set_zoom_level(view_, *std::prev(below));
}

int PaneShortcuts::OnButtonPress(WebKitWebView*, GdkEventButton* event, PaneShortcuts* self)
{
    if (event->type != GDK_BUTTON_PRESS)
        return FALSE;
    if (event->button == MouseBackButton)
        self->navigation_.goBack();
    else if (event->button == MouseForwardButton)
        self->navigation_.goForward();
    else
        return FALSE;
    return TRUE;
}

int PaneShortcuts::OnScroll(WebKitWebView*, GdkEventScroll* event, PaneShortcuts* self)
{
    if (!(event->state & GDK_CONTROL_MASK))
        return FALSE;
    if (event->direction == GDK_SCROLL_UP ||
        (event->direction == GDK_SCROLL_SMOOTH && event->delta_y < 0))
        self->Zoom(true);
    else if (event->direction == GDK_SCROLL_DOWN ||
             (event->direction == GDK_SCROLL_SMOOTH && event->delta_y > 0))
        self->Zoom(false);
    return TRUE;
}

}  // namespace quillomat
