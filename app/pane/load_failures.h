#pragma once

#include <sigc++/signal.h>
#include <sigc++/trackable.h>

#include <string>
#include <string_view>

#include "app/pane/pane_error_page_texts.h"

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitPolicyDecision WebKitPolicyDecision;
typedef struct _GError GError;

namespace quillomat {

// Puts the French error page in place of a page of the view that could not be loaded (an
// unreachable site, a certificate refused, a port of another service, an answer WebKit can
// neither show nor save) or that the program ended (it did not answer, or took too much memory),
// and, when it `showsCrash`, of a page whose web process crashed.
class LoadFailures : public sigc::trackable {
public:
    // Lives no longer than `view`.
    LoadFailures(WebKitWebView* view, bool showsCrash);
    LoadFailures(const LoadFailures&) = delete;
    LoadFailures& operator=(const LoadFailures&) = delete;

    // Ends the web process of `view`, whose page does not answer: each page it held, in the views
    // related to `view` and in `view` itself unless it `loadsNext`, gives way to the error page.
    static void StopWebProcess(WebKitWebView* view, bool loadsNext);

    // Raised just before an error page is loaded in place of a page.
    sigc::signal<void()>& signal_error_page() { return errorPage_; }

private:
    static int OnLoadFailed(WebKitWebView* view, int loadEvent, const char* address, GError* error,
                            LoadFailures* self);
    static int OnLoadFailedWithTlsErrors(WebKitWebView* view, const char* address,
                                         void* certificate, int errors, LoadFailures* self);
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, LoadFailures* self);
    static int OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision, int type,
                              LoadFailures* self);
    static void OnWebProcessTerminated(WebKitWebView* view, int reason, LoadFailures* self);

    void ShowErrorPage(const char* address, std::string_view reason, std::string_view detail = "",
                       std::string_view heading = pane_error_page_texts::Heading);

    WebKitWebView* view_;
    bool showsCrash_;
    // The address the page being loaded was asked for.
    std::string loading_;
    // The HTTP status of the page being loaded if WebKit will neither show nor save it, else 0.
    unsigned unshownAnswer_ = 0;
    sigc::signal<void()> errorPage_;
};

}  // namespace quillomat
