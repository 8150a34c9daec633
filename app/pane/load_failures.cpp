#include "app/pane/load_failures.h"

#include <glibmm/exceptionhandler.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "app/pane/pane_error_page.h"
#include "app/pane/signal_link.h"

namespace quillomat {

namespace {

constexpr char BlankPage[] = "about:blank";

// WebKit tells each view of the process it ends from within the call.
bool stoppingWebProcess = false;
WebKitWebView* spared = nullptr;

bool HasPort(const std::string& address)
{
    GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr);
    const bool hasPort = uri && g_uri_get_port(uri) > 0;
    if (uri)
        g_uri_unref(uri);
    return hasPort;
}

}  // namespace

LoadFailures::LoadFailures(WebKitWebView* view, bool showsCrash)
    : view_(view), showsCrash_(showsCrash)
{
    ConnectWhileAlive<&LoadFailures::OnLoadFailed>(view_, "load-failed", this);
    ConnectWhileAlive<&LoadFailures::OnLoadFailedWithTlsErrors>(
        view_, "load-failed-with-tls-errors", this);
    ConnectWhileAlive<&LoadFailures::OnLoadChanged>(view_, "load-changed", this);
    ConnectWhileAlive<&LoadFailures::OnDecidePolicy>(view_, "decide-policy", this);
    ConnectWhileAlive<&LoadFailures::OnWebProcessTerminated>(view_, "web-process-terminated", this);
}

void LoadFailures::OnLoadChanged(WebKitWebView* view, int loadEvent, LoadFailures* self)
{
    const char* address = webkit_web_view_get_uri(view);
    if (loadEvent == WEBKIT_LOAD_STARTED) {
        self->loading_ = address ? address : "";
        self->unshownAnswer_ = 0;
    } else if (loadEvent == WEBKIT_LOAD_COMMITTED) {
        // WebKit refuses the ports of other services (mail, ...) by showing an empty page
        // instead, and reports nothing.
        const std::string asked = std::exchange(self->loading_, "");
        if (address && address == std::string_view(BlankPage) && HasPort(asked)) {
            GError* refused = g_error_new_literal(
                WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_CANNOT_USE_RESTRICTED_PORT, "");
            self->ShowErrorPage(asked.c_str(), LoadErrorPage(asked, *refused));
            g_error_free(refused);
        }
    }
}

int LoadFailures::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, int type,
                                 LoadFailures* self)
{
    if (type != WEBKIT_POLICY_DECISION_TYPE_RESPONSE)
        return FALSE;
    auto* answer = WEBKIT_RESPONSE_POLICY_DECISION(decision);
    if (!webkit_response_policy_decision_is_main_frame_main_resource(answer))
        return FALSE;
    // What WebKit then does by itself: a file to save is downloaded, a page it cannot show is
    // dropped.
    WebKitURIResponse* response = webkit_response_policy_decision_get_response(answer);
    SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response);
    const char* disposition =
        headers ? soup_message_headers_get_one(headers, "Content-Disposition") : nullptr;
    const bool toSave = disposition && g_ascii_strncasecmp(disposition, "attachment", 10) == 0;
    if (!toSave && !webkit_response_policy_decision_is_mime_type_supported(answer))
        self->unshownAnswer_ = std::max(1u, webkit_uri_response_get_status_code(response));
    return FALSE;
}

int LoadFailures::OnLoadFailed(WebKitWebView*, int loadEvent, const char* address, GError* error,
                               LoadFailures* self)
{
    self->loading_.clear();
    const unsigned unshown = std::exchange(self->unshownAnswer_, 0);
    // A page that fails once shown stays as far as it came, as does the page shown when the
    // user moves on; a page dropped for want of anything to show is a failure all the same.
    const std::string shownFor = address ? address : "";
    if (unshown && g_error_matches(error, WEBKIT_POLICY_ERROR,
                                   WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE))
        self->ShowErrorPage(address, UnshownAnswerErrorPage(shownFor, unshown));
    else if (loadEvent != WEBKIT_LOAD_COMMITTED && !LoadWasAbandoned(*error))
        self->ShowErrorPage(address, LoadErrorPage(shownFor, *error));
    return TRUE;
}

int LoadFailures::OnLoadFailedWithTlsErrors(WebKitWebView*, const char* address, void*, int,
                                            LoadFailures* self)
{
    self->ShowErrorPage(address, CertificateErrorPage(address ? address : ""));
    return TRUE;
}

void LoadFailures::StopWebProcess(WebKitWebView* view, bool loadsNext)
{
    stoppingWebProcess = true;
    spared = loadsNext ? view : nullptr;
    webkit_web_view_terminate_web_process(view);
    stoppingWebProcess = false;
}

void LoadFailures::OnWebProcessTerminated(WebKitWebView* view, int reason, LoadFailures* self)
{
    const char* address = webkit_web_view_get_uri(view);
    if (reason == WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT)
        self->ShowErrorPage(address,
                            StoppedPageErrorPage(address ? address : "", PageStop::TooMuchMemory));
    else if (reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API && stoppingWebProcess && view != spared)
        self->ShowErrorPage(address,
                            StoppedPageErrorPage(address ? address : "", PageStop::NotAnswering));
    else if (reason == WEBKIT_WEB_PROCESS_CRASHED && self->showsCrash_)
        self->ShowErrorPage(address,
                            StoppedPageErrorPage(address ? address : "", PageStop::Crashed));
}

void LoadFailures::ShowErrorPage(const char* address, const std::string& html)
{
    try {
        errorPage_.emit();
        webkit_web_view_load_alternate_html(view_, html.c_str(), address, nullptr);
    } catch (...) {
        Glib::exception_handlers_invoke();
    }
}

}  // namespace quillomat
