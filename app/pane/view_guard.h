#pragma once

#include <sigc++/connection.h>
#include <sigc++/signal.h>
#include <sigc++/trackable.h>

#include <functional>
#include <memory>
#include <string>

#include "app/pane/page_dialogs.h"

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitWebContext WebKitWebContext;
typedef struct _WebKitPermissionRequest WebKitPermissionRequest;
typedef struct _WebKitPolicyDecision WebKitPolicyDecision;
typedef struct _GError GError;

namespace quillomat {

// What every web view of the program is held to, the pane's and each pop-up's alike. Views are
// made only by NewView and NewRelatedView, each guarded from the start and for its whole life:
// the page's dialogs stand in the program's own window, it prints only just after a click or key
// of the user's in that view, its requests for permissions are refused, it cannot take the whole
// screen, a page that fails to load or is ended for the memory it takes gives way to the French
// error page, and a page that stops answering can always be left.
class ViewGuard : public sigc::trackable {
public:
    struct ContextOptions {
        // Empty: the desktop's proxy settings.
        std::string proxyAddress;
        bool sandboxed = false;
    };

    // A context that keeps nothing on disk and bounds the memory of its web processes.
    static WebKitWebContext* NewContext(const ContextOptions& options);
    // A new view, with a floating reference, in `context`; or, for a window that a page opens,
    // related to `opener`, whose web process, log-in and settings it shares.
    static WebKitWebView* NewView(WebKitWebContext* context);
    static WebKitWebView* NewRelatedView(WebKitWebView* opener);
    static ViewGuard& Of(WebKitWebView* view);

    ViewGuard(const ViewGuard&) = delete;
    ViewGuard& operator=(const ViewGuard&) = delete;

    // Leaves the page shown for the load that `load` starts. The page's open dialog is dismissed
    // and those it opens meanwhile are answered at once. A web process that does not answer makes
    // way for a new one: at once when it is known to hang or to hold a dialog, else when it gives
    // no sign of life within a second, and `load` runs again in the new one.
    void Leave(std::function<void()> load);
    // Forgets the load of the last Leave, whose owner goes.
    void ForgetLoad();
    // The page's dialogs are answered from now on, until another page shows: its window closes.
    void Release();
    // Ends the page, whatever it does, and shows the error page in its place.
    void StopPage();
    // Whether the page waits for the user's answer to one of its dialogs, or to printing.
    bool PageWaitsForUser() const { return dialogs_.WaitsForUser(); }

    // Raised just before the guard loads its error page in place of a page.
    sigc::signal<void()>& signal_error_page() { return errorPage_; }

private:
    explicit ViewGuard(WebKitWebView* view);
    static WebKitWebView* Guard(WebKitWebView* view);
    static void Free(void* guard, GObject* view);

    static int OnLoadFailed(WebKitWebView* view, int loadEvent, const char* address, GError* error,
                            ViewGuard* self);
    static int OnLoadFailedWithTlsErrors(WebKitWebView* view, const char* address,
                                         void* certificate, int errors, ViewGuard* self);
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, ViewGuard* self);
    static int OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision, int type,
                              ViewGuard* self);
    static void OnWebProcessTerminated(WebKitWebView* view, int reason, ViewGuard* self);
    static int OnPermissionRequest(WebKitWebView* view, WebKitPermissionRequest* request,
                                   ViewGuard* self);
    static int OnEnterFullScreen(WebKitWebView* view, ViewGuard* self);

    // `html` in place of the page at `address`.
    void ShowErrorPage(const char* address, const std::string& html);
    void OnLeaveWatchEnded();

    WebKitWebView* view_;
    PageDialogs dialogs_;
    // Whether the page shown came from the web process running now: before, there is nothing to
    // hang.
    bool pageInProcess_ = false;
    // While the page is asked to leave: whether its web process answered, and the load to start
    // again in a new one if it does not.
    std::shared_ptr<bool> processAnswered_;
    std::function<void()> leavingFor_;
    sigc::connection leaveWatch_;
    bool stopping_ = false;
    // The address the page being loaded was asked for.
    std::string loading_;
    // The HTTP status of the page being loaded when WebKit shows nothing of it and saves
    // nothing (a proxy's refusal has no page to show); 0 otherwise.
    unsigned unshownAnswer_ = 0;
    sigc::signal<void()> errorPage_;
};

}  // namespace quillomat
