#pragma once

#include <sigc++/trackable.h>

#include <memory>
#include <vector>

typedef struct _WebKitWebView WebKitWebView;

namespace quillomat {

class PopupWindow;

// The windows that the pane's pages open, a few at most: a page cannot cover the screen with them.
class PopupWindows : public sigc::trackable {
public:
    PopupWindows();
    ~PopupWindows();
    PopupWindows(const PopupWindows&) = delete;
    PopupWindows& operator=(const PopupWindows&) = delete;

    // The web view of a new pop-up for a page of `requester`, not yet shown (it shows itself when
    // the page is ready), or nothing when enough are open already.
    WebKitWebView* Open(WebKitWebView* requester);
    void CloseAll();

private:
    void Discard(PopupWindow* window);
    void FreeClosed();

    std::vector<std::unique_ptr<PopupWindow>> windows_;
    // Closed windows whose view is still inside the signal that closed it.
    std::vector<std::unique_ptr<PopupWindow>> closed_;
};

}  // namespace quillomat
