#include "app/pane/popup_windows.h"

#include <glibmm/main.h>
#include <gtkmm/window.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <functional>

#include "app/look/window_look.h"
#include "app/pane/pane_shortcuts.h"
#include "app/pane/signal_link.h"
#include "app/pane/view_guard.h"
#include "app/pane/view_window.h"
#include "app/widgets/screen_fit.h"

namespace quillomat {

namespace {

using namespace std::chrono_literals;

// How long a page may take to agree to its window's closing.
constexpr auto CloseAnswerTime = 500ms;

constexpr std::size_t MostAtOnce = 5;
// What a page that asks for no size gets.
constexpr int DefaultWidth = 800;
constexpr int DefaultHeight = 600;

}  // namespace

// A window that a page's script opened (an "insert a picture" or preview window): a web view
// related to the one that asked, so that it shares the log-in and `window.opener` reaches back.
// It takes its size from the page's request, within the screen, its title from the page, and the
// pane's browser keys.
class PopupWindow : public Gtk::Window {
public:
    // Takes the floating reference of `view`. `closed` runs when the page closes itself
    // (window.close()), and when the user closes the window from its title bar: once the page
    // agrees, or a moment later whatever it does.
    PopupWindow(WebKitWebView* view, Gtk::Window* opener, std::function<void(PopupWindow*)> closed)
        : view_(view),
          closed_(std::move(closed)),
          shortcuts_({[view] { webkit_web_view_go_back(view); },
                      [view] { webkit_web_view_go_forward(view); },
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
    // The timer's handler does not follow the window.
    ~PopupWindow() override { closeAnyway_.disconnect(); }

protected:
    bool on_delete_event(GdkEventAny*) override
    {
        // The page is told (its unload handlers run, its question about leaving is answered yes)
        // and agrees through "close"; a page that hangs, or is slow to, goes all the same.
        ViewGuard::Of(view_).Release();
        webkit_web_view_try_close(view_);
        if (!closeAnyway_.connected())
            closeAnyway_ = Glib::signal_timeout().connect(
                [this] {
                    OnClose(view_, this);
                    return false;
                },
                std::chrono::duration_cast<std::chrono::milliseconds>(CloseAnswerTime).count());
        return true;
    }

    bool on_key_press_event(GdkEventKey* event) override
    {
        return shortcuts_.OnKeyPress(*event) || Gtk::Window::on_key_press_event(event);
    }

private:
    static void OnReadyToShow(WebKitWebView* view, PopupWindow* window)
    {
        GdkRectangle requested{0, 0, 0, 0};
        webkit_window_properties_get_geometry(webkit_web_view_get_window_properties(view),
                                              &requested);
        Gtk::Window* opener = window->get_transient_for();
        const Gdk::Rectangle screen = WorkAreaFor(opener ? *opener : *window);
        // Within the screen, where the display tells its size.
        const auto fit = [](int asked, int fallback, int room) {
            return std::clamp(asked > 0 ? asked : fallback, 1, room > 0 ? room : fallback);
        };
        window->set_default_size(fit(requested.width, DefaultWidth, screen.get_width()),
                                 fit(requested.height, DefaultHeight, screen.get_height()));
        window->show();
    }

    static void OnTitleNotify(WebKitWebView* view, void*, PopupWindow* window)
    {
        const char* title = webkit_web_view_get_title(view);
        const char* address = webkit_web_view_get_uri(view);
        window->set_title(title && *title ? title : address ? address : "");
    }

    static void OnClose(WebKitWebView*, PopupWindow* window)
    {
        window->closeAnyway_.disconnect();
        window->closed_(window);
    }

    WebKitWebView* view_;
    std::function<void(PopupWindow*)> closed_;
    sigc::connection closeAnyway_;
    PaneShortcuts shortcuts_;
};

PopupWindows::PopupWindows() = default;
PopupWindows::~PopupWindows() = default;

WebKitWebView* PopupWindows::Open(WebKitWebView* requester)
{
    if (windows_.size() >= MostAtOnce)
        return nullptr;
    WebKitWebView* view = ViewGuard::NewRelatedView(requester);
    windows_.push_back(std::make_unique<PopupWindow>(
        view, WindowOf(requester), [this](PopupWindow* window) { Discard(window); }));
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

void PopupWindows::FreeClosed()
{
    closed_.clear();
}

}  // namespace quillomat
