#pragma once

#include <gdk/gdk.h>
#include <gtkmm/overlay.h>
#include <sigc++/trackable.h>

#include <deque>
#include <memory>
#include <string>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitFindController WebKitFindController;

namespace quillomat {

// Finding text in the page (Ctrl+F), case ignored and wrapping: a bar over the page's bottom edge,
// so that nothing around the pane moves, that says which match is shown ("3 sur 12"). F3 and
// Shift+F3 step wherever the focus is, as Enter and Shift+Enter do in its field, where Escape
// closes it, as leaving the page does. Its controls are made when it first opens, not at start.
class FindBar : public sigc::trackable {
public:
    explicit FindBar(WebKitWebView* view);
    ~FindBar();
    FindBar(const FindBar&) = delete;
    FindBar& operator=(const FindBar&) = delete;

    // The page with the bar over it.
    Gtk::Widget& Widget() { return overlay_; }
    // For a key pressed anywhere in the pane's window; returns whether it was one of the bar's.
    bool OnKeyPress(const GdkEventKey& event);

private:
    struct Controls;

    static void OnFoundText(WebKitFindController* controller, unsigned count, FindBar* bar);
    static void OnFailedToFindText(WebKitFindController* controller, FindBar* bar);
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, FindBar* bar);
    void Build();
    void Open();
    void Close();
    void Search();
    void Step(bool forward);
    void ShowPlace(bool found);
    bool IsOpen() const;

    WebKitWebView* view_;
    WebKitFindController* controller_ = nullptr;
    Gtk::Overlay overlay_;
    std::unique_ptr<Controls> controls_;
    // The text of the search under way, empty when none is.
    std::string searched_;
    // How each search not answered yet moves the match shown: 0 to the page's first (a new
    // search), 1 or -1 to the next or previous.
    std::deque<int> pendingSteps_;
    unsigned matchCount_ = 0;
    // The place of the match shown, from 1.
    unsigned matchIndex_ = 0;
};

}  // namespace quillomat
