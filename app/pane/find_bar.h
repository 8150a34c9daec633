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

// Finding text in the page: a slim bar laid over the page's bottom edge, so that nothing around
// the pane moves, with a field, the place of the match shown among all ("3 sur 12") and buttons
// for the previous and next match and to close. Case is ignored and the search wraps at the
// end. Ctrl+F opens it, F3 and Shift+F3 go to the next and previous match wherever the focus is,
// as Enter and Shift+Enter do in its field, and Escape there closes it and gives the focus back
// to the page. It closes by itself when the pane leaves the page. Its controls are made the first
// time it opens: the program's start pays only for the overlay.
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
    // What each search asked for and not answered yet moves the match shown by: 0 for a new
    // search, which finds the first match of the page, 1 or -1 for the next or previous one.
    std::deque<int> pendingSteps_;
    unsigned matchCount_ = 0;
    // The place of the match shown, from 1.
    unsigned matchIndex_ = 0;
};

}  // namespace quillomat
