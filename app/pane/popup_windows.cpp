#include "app/pane/popup_windows.h"

#include <glibmm/exceptionhandler.h>
#include <glibmm/main.h>
#include <webkit2/webkit2.h>

#include <sigc++/adaptors/bind.h>

#include <algorithm>

#include "app/look/window_look.h"
#include "app/pane/pane_error_page.h"

namespace quillomat {

namespace {

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

PopupWindow::PopupWindow(WebKitWebView* view, Gtk::Window* opener) : view_(view)
{
    SetProgramIcon(*this);
    if (opener) {
        set_transient_for(*opener);
        set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
    }
    // The window's own container takes the view's floating reference.
    gtk_container_add(GTK_CONTAINER(gobj()), GTK_WIDGET(view_));
    gtk_widget_show(GTK_WIDGET(view_));

    g_signal_connect(view_, "ready-to-show", G_CALLBACK(&PopupWindow::OnReadyToShow), this);
    g_signal_connect(view_, "notify::title", G_CALLBACK(&PopupWindow::OnTitleNotify), this);
    g_signal_connect(view_, "close", G_CALLBACK(&PopupWindow::OnClose), this);
    g_signal_connect(view_, "load-failed", G_CALLBACK(&PopupWindow::OnLoadFailed), this);
}

PopupWindow::~PopupWindow()
{
    g_signal_handlers_disconnect_by_data(view_, this);
}

bool PopupWindow::on_delete_event(GdkEventAny*)
{
    // The page may ask the user to confirm (onbeforeunload); it answers through "close".
    webkit_web_view_try_close(view_);
    return true;
}

void PopupWindow::OnReadyToShow(WebKitWebView*, PopupWindow* window)
{
    try {
        window->ShowAtRequestedSize();
    } catch (...) {
        Glib::exception_handlers_invoke();
    }
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
    try {
        window->pageClosed_.emit();
    } catch (...) {
        Glib::exception_handlers_invoke();
    }
}

// The pane's French error page, for a pop-up's page too.
int PopupWindow::OnLoadFailed(WebKitWebView* view, int loadEvent, const char* address,
                              GError* error, PopupWindow*)
{
    if (loadEvent != WEBKIT_LOAD_COMMITTED && !LoadWasAbandoned(*error)) {
        try {
            const std::string html = LoadErrorPage(address ? address : "", *error);
            webkit_web_view_load_alternate_html(view, html.c_str(), address, nullptr);
        } catch (...) {
            Glib::exception_handlers_invoke();
        }
    }
    return TRUE;
}

WebKitWebView* PopupWindows::Open(WebKitWebView* requester)
{
    if (windows_.size() >= MostAtOnce)
        return nullptr;
    auto* view = WEBKIT_WEB_VIEW(webkit_web_view_new_with_related_view(requester));
    GtkWidget* toplevel = gtk_widget_get_toplevel(GTK_WIDGET(requester));
    Gtk::Window* opener = GTK_IS_WINDOW(toplevel) ? Glib::wrap(GTK_WINDOW(toplevel)) : nullptr;
    PopupWindow* popup = windows_.emplace_back(std::make_unique<PopupWindow>(view, opener)).get();
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
