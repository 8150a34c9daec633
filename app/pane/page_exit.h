#pragma once

#include <sigc++/connection.h>
#include <sigc++/trackable.h>

#include <functional>
#include <memory>

typedef struct _WebKitWebView WebKitWebView;

namespace quillomat {

class PageDialogs;

// Makes sure the user can always leave the view's page: a page held in one of its dialogs, or
// busy for ever, never gets to load another page, so its web process makes way for a new one.
class PageExit : public sigc::trackable {
public:
    // Lives no longer than `view` and `dialogs`.
    PageExit(WebKitWebView* view, PageDialogs& dialogs);
    PageExit(const PageExit&) = delete;
    PageExit& operator=(const PageExit&) = delete;

    // Leaves the page shown for the load that `load` starts; the page's dialogs are answered and
    // its timers end first. A web process that holds a dialog or hangs makes way for a new one,
    // as does one that gives no sign of life within three seconds: `load` runs again in it.
    void Leave(std::function<void()> load);
    // Forgets the load of the last Leave, whose owner goes.
    void ForgetLoad();
    // Ends the page, whatever it does; the error page takes its place.
    void StopPage();

private:
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, PageExit* self);
    static void OnWebProcessTerminated(WebKitWebView* view, int reason, PageExit* self);
    void OnLeaveWatchEnded();

    WebKitWebView* view_;
    PageDialogs& dialogs_;
    // Whether the page shown came from the web process running now, which may then hang.
    bool pageInProcess_ = false;
    // While the page is asked to leave: whether its web process answered, and the load to start
    // again if it does not.
    std::shared_ptr<bool> processAnswered_;
    std::function<void()> leavingFor_;
    sigc::connection leaveWatch_;
};

}  // namespace quillomat
