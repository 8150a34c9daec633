#pragma once

#include <gdk/gdk.h>

typedef struct _WebKitWebView WebKitWebView;

namespace quillomat {

class BrowserPane;

// The keys and mouse buttons a user expects of a browser, for the pane: back and forward
// (Alt+Left, Alt+Right, the mouse's side buttons), reload (F5, Ctrl+R), stop (Escape) and zoom
// (Ctrl+plus, Ctrl+minus, Ctrl+0, Ctrl+wheel). The zoom is the page's alone and lasts for the
// run; the program's own controls keep their size.
class PaneShortcuts {
public:
    PaneShortcuts(BrowserPane& pane, WebKitWebView* view);
    ~PaneShortcuts();
    PaneShortcuts(const PaneShortcuts&) = delete;
    PaneShortcuts& operator=(const PaneShortcuts&) = delete;

    // For a key pressed anywhere in the pane's window; returns whether it was one of these.
    bool OnKeyPress(const GdkEventKey& event);

private:
    static int OnButtonPress(WebKitWebView* view, GdkEventButton* event, PaneShortcuts* self);
    static int OnScroll(WebKitWebView* view, GdkEventScroll* event, PaneShortcuts* self);
    bool OnZoomKey(const GdkEventKey& event);
    void Zoom(int steps);

    BrowserPane& pane_;
    WebKitWebView* view_;
};

}  // namespace quillomat
