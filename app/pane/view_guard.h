#pragma once

#include <sigc++/signal.h>
#include <sigc++/trackable.h>

#include <functional>

#include "app/pane/load_failures.h"
#include "app/pane/page_choosers.h"
#include "app/pane/page_dialogs.h"
#include "app/pane/page_exit.h"

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitWebContext WebKitWebContext;
typedef struct _WebKitPermissionRequest WebKitPermissionRequest;

namespace quillomat {

// What every web view of the program, the pane's and each pop-up's, is held to from its making
// (only here) to its end: the page's dialogs, printing (PageDialogs) and what its fields open
// (PageChoosers) are boxes of the program, a failed or ended page gives way to the error page, a
// pop-up's crashed one too (LoadFailures; the pane reloads its own), a page that stops answering
// can always be left (PageExit), and it gets no permissions nor full screen.
class ViewGuard : public sigc::trackable {
public:
    // A new view, with a floating reference, in `context`, whose dialogs are among `boxes`, which
    // outlives it; or, for a window that a page opens, related to `opener`, whose web process,
    // log-in, settings and boxes it shares.
    static WebKitWebView* NewView(WebKitWebContext* context, MainUseDesktop& boxes);
    static WebKitWebView* NewRelatedView(WebKitWebView* opener);
    static ViewGuard& Of(WebKitWebView* view);

    ViewGuard(const ViewGuard&) = delete;
    ViewGuard& operator=(const ViewGuard&) = delete;

    void Leave(std::function<void()> load) { exit_.Leave(std::move(load)); }
    void ForgetLoad() { exit_.ForgetLoad(); }
    void StopPage() { exit_.StopPage(); }
    // The page's dialogs are answered from now on, until another page shows: its window closes.
    void Release() { dialogs_.ReleasePage(); }
    // Whether the page waits for the user's answer to one of its dialogs, or to printing.
    bool PageWaitsForUser() const { return dialogs_.WaitsForUser(); }

    // Raised just before the guard loads its error page in place of a page.
    sigc::signal<void()>& signal_error_page() { return failures_.signal_error_page(); }

private:
    ViewGuard(WebKitWebView* view, MainUseDesktop& boxes, bool popUp);
    static WebKitWebView* Guard(WebKitWebView* view, MainUseDesktop& boxes, bool popUp);
    static int OnPermissionRequest(WebKitWebView* view, WebKitPermissionRequest* request,
                                   ViewGuard* self);
    static int OnEnterFullScreen(WebKitWebView* view, ViewGuard* self);

    MainUseDesktop& boxes_;
    PageDialogs dialogs_;
    PageChoosers choosers_;
    LoadFailures failures_;
    PageExit exit_;
};

}  // namespace quillomat
