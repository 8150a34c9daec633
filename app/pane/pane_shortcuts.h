#pragma once

#include <gdk/gdk.h>
#include <sigc++/trackable.h>

#include <functional>

typedef struct _WebKitWebView WebKitWebView;

namespace quillomat {

// The keys and mouse buttons a user expects of a browser, for the pane: back and forward
// (Alt+Left, Alt+Right, the mouse's side buttons), reload (F5, Ctrl+R), stop (Escape) and zoom
// (Ctrl+plus, Ctrl+minus, Ctrl+0, Ctrl+wheel). The zoom is the page's alone and lasts for the
// run; the program's own controls keep their size.
class PaneShortcuts : public sigc::trackable {
public:
    // What the keys do that the pane's own bookkeeping must see.
    struct Navigation {
        std::function<void()> goBack;
        std::function<void()> goForward;
        std::function<void()> reload;
        std::function<void()> stopLoading;
    };

    PaneShortcuts(Navigation navigation, WebKitWebView* view);
    PaneShortcuts(const PaneShortcuts&) = delete;
    PaneShortcuts& operator=(const PaneShortcuts&) = delete;

    // For a key pressed anywhere in the pane's window; returns whether it was one of these.
    bool OnKeyPress(const GdkEventKey& event);

private:
    static int OnButtonPress(WebKitWebView* view, GdkEventButton* event, PaneShortcuts* self);
    static int OnScroll(WebKitWebView* view, GdkEventScroll* event, PaneShortcuts* self);
    void Zoom(bool in);

    Navigation navigation_;
    WebKitWebView* view_;
};

}  // namespace quillomat
