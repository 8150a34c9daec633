#include "app/pane/popup_windows.h"

#include <glibmm/exceptionhandler.h>
#include <glibmm/main.h>
#include <webkit2/webkit2.h>

#include <sigc++/adaptors/bind.h>
#include <sigc++/adaptors/bind_return.h>

#include <algorithm>

#include "app/look/window_look.h"
#include "app/pane/signal_link.h"
#include "app/pane/view_guard.h"
#include "app/pane/view_window.h"

namespace quillomat {

namespace {

using namespace std::chrono_literals;

// How long a page may take to agree to its window's closing.
constexpr auto CloseAnswerTime = 500ms;

// What a page that asks for no size gets.
constexpr int DefaultWidth = 800;
constexpr int DefaultHeight = 600;

GdkRectangle ScreenArea(Gtk::Widget& widget)
{
    GdkRectangle area{0, 0, DefaultWidth, DefaultHeight};
    GdkDisplay* display = gtk_widget_get_display(widget.gobj());
    GdkWindow* window = gtk_widget_get_window(widget.gobj());
    GdkMonitor* monitor = window ? gdk_display_get_monitor_at_window(display, window)
                                 : gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0)
        monitor = gdk_display_get_monitor(display, 0);
    if (monitor)
        gdk_monitor_get_workarea(monitor, &area);
    return area;
}

}  // namespace

PopupWindow::PopupWindow(WebKitWebView* view, Gtk::Window* opener)
    : view_(view),
      shortcuts_(
          {[view] { webkit_web_view_go_back(view); }, [view] { webkit_web_view_go_forward(view); },
           [view] { webkit_web_view_reload(view); },
           [view] { webkit_web_view_stop_loading(view); }},
          view)
{
    SetProgramIcon(*this);
    if (opener) {
        set_transient_for(*opener);
        set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
    }
    // The window's own container takes the view's floating reference.
    gtk_container_add(GTK_CONTAINER(gobj()), GTK_WIDGET(view_));
    gtk_widget_show(GTK_WIDGET(view_));

    ConnectWhileAlive<&PopupWindow::OnReadyToShow>(view_, "ready-to-show", this);
    ConnectWhileAlive<&PopupWindow::OnTitleNotify>(view_, "notify::title", this);
    ConnectWhileAlive<&PopupWindow::OnClose>(view_, "close", this);
}

bool PopupWindow::on_delete_event(GdkEventAny*)
{
    // The page is told (its unload handlers run, its question about leaving is answered yes)
    // and agrees through "close"; a page that hangs, or is slow to, goes all the same.
    ViewGuard::Of(view_).Release();
    webkit_web_view_try_close(view_);
    if (!closeAnyway_.connected())
        closeAnyway_ = Glib::signal_timeout().connect(
            sigc::bind_return(sigc::mem_fun(*this, &PopupWindow::RaisePageClosed), false),
            std::chrono::duration_cast<std::chrono::milliseconds>(CloseAnswerTime).count());
    return true;
}

bool PopupWindow::on_key_press_event(GdkEventKey* event)
{
    return shortcuts_.OnKeyPress(*event) || Gtk::Window::on_key_press_event(event);
}

void PopupWindow::OnReadyToShow(WebKitWebView*, PopupWindow* window)
{
    window->ShowAtRequestedSize();
}

void PopupWindow::ShowAtRequestedSize()
{
    GdkRectangle requested{0, 0, 0, 0};
    webkit_window_properties_get_geometry(webkit_web_view_get_window_properties(view_), &requested);
    const GdkRectangle screen =
        ScreenArea(get_transient_for() ? *get_transient_for() : static_cast<Gtk::Widget&>(*this));
    const int width = requested.width > 0 ? requested.width : DefaultWidth;
    const int height = requested.height > 0 ? requested.height : DefaultHeight;
    set_default_size(std::clamp(width, 1, std::max(1, screen.width)),
                     std::clamp(height, 1, std::max(1, screen.height)));
    show();
}

void PopupWindow::OnTitleNotify(WebKitWebView* view, void*, PopupWindow* window)
{
    const char* title = webkit_web_view_get_title(view);
    const char* address = webkit_web_view_get_uri(view);
    window->set_title(title && *title ? title : address ? address : "");
}

void PopupWindow::OnClose(WebKitWebView*, PopupWindow* window)
{
    window->RaisePageClosed();
}

void PopupWindow::RaisePageClosed()
{
    closeAnyway_.disconnect();
    try {
        pageClosed_.emit();
    } catch (...) {
        Glib::exception_handlers_invoke();
    }
}

WebKitWebView* PopupWindows::Open(WebKitWebView* requester)
{
    if (windows_.size() >= MostAtOnce)
        return nullptr;
    WebKitWebView* view = ViewGuard::NewRelatedView(requester);
    PopupWindow* popup =
        windows_.emplace_back(std::make_unique<PopupWindow>(view, WindowOf(requester))).get();
    popup->signal_page_closed().connect(
        sigc::bind(sigc::mem_fun(*this, &PopupWindows::Discard), popup));
    return view;
}

void PopupWindows::CloseAll()
{
    windows_.clear();
    closed_.clear();
}

void PopupWindows::Discard(PopupWindow* window)
{
    const auto open = std::find_if(windows_.begin(), windows_.end(),
                                   [window](const auto& each) { return each.get() == window; });
    if (open == windows_.end())
        return;
    window->hide();
    closed_.push_back(std::move(*open));
    windows_.erase(open);
    // WebKit is still inside the view's signal: the window goes once it has returned.
    Glib::signal_idle().connect_once(sigc::mem_fun(*this, &PopupWindows::FreeClosed));
}

}  // namespace quillomat
