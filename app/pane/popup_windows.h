#pragma once

#include <sigc++/connection.h>
#include <sigc++/signal.h>
#include <sigc++/trackable.h>

#include <cstddef>
#include <memory>
#include <vector>

#include <gtkmm/window.h>

#include "app/pane/pane_shortcuts.h"

typedef struct _WebKitWebView WebKitWebView;

namespace quillomat {

// A window that a page's script opened (an "insert a picture" or preview window): a web view
// related to the one that asked, so that it shares the log-in and `window.opener` reaches back.
// It takes its size from the page's request, within the screen, its title from the page, and the
// pane's browser keys.
class PopupWindow : public Gtk::Window {
public:
    // Takes the floating reference of `view`.
    PopupWindow(WebKitWebView* view, Gtk::Window* opener);

    WebKitWebView* View() const { return view_; }
    // Raised when the page closes itself (window.close()), and when the user closes the window
    // from its title bar: once the page agrees, or a moment later whatever it does.
    sigc::signal<void()>& signal_page_closed() { return pageClosed_; }

protected:
    bool on_delete_event(GdkEventAny* event) override;
    bool on_key_press_event(GdkEventKey* event) override;

private:
    static void OnReadyToShow(WebKitWebView* view, PopupWindow* window);
    static void OnTitleNotify(WebKitWebView* view, void* paramSpec, PopupWindow* window);
    static void OnClose(WebKitWebView* view, PopupWindow* window);
    void ShowAtRequestedSize();
    void RaisePageClosed();

    WebKitWebView* view_;
    sigc::signal<void()> pageClosed_;
    sigc::connection closeAnyway_;
    PaneShortcuts shortcuts_;
};

// The pop-up windows of the pane, a few at most: a page cannot cover the screen with them.
class PopupWindows : public sigc::trackable {
public:
    static constexpr std::size_t MostAtOnce = 5;

    PopupWindows() = default;
    PopupWindows(const PopupWindows&) = delete;
    PopupWindows& operator=(const PopupWindows&) = delete;

    // The web view of a new pop-up for a page of `requester`, not yet shown (it shows itself when
    // the page is ready), or nothing when enough are open already.
    WebKitWebView* Open(WebKitWebView* requester);
    void CloseAll();

private:
    void Discard(PopupWindow* window);
    void FreeClosed() { closed_.clear(); }

    std::vector<std::unique_ptr<PopupWindow>> windows_;
    // Closed windows whose view is still inside the signal that closed it.
    std::vector<std::unique_ptr<PopupWindow>> closed_;
};

}  // namespace quillomat
