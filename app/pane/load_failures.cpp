#include "app/pane/load_failures.h"

#include <webkit2/webkit2.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "app/pane/pane_error_page_texts.h"
#include "app/pane/signal_link.h"

namespace quillomat {

namespace texts = pane_error_page_texts;

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

// Whether a failed load only means that the user or the program moved on (another address,
// Escape, a download, an answer without a page): the page shown stays and nothing is said.
bool LoadWasAbandoned(const GError& error)
{
    return g_error_matches(&error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
           g_error_matches(&error, WEBKIT_POLICY_ERROR,
                           WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) ||
           g_error_matches(&error, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD);
}

// WebKit passes the network library's own errors on with their domain and code.
std::string_view Reason(const GError& error)
{
    const struct {
        GQuark domain;
        int code;
        std::string_view reason;
    } reasons[] = {
        {G_IO_ERROR, G_IO_ERROR_CONNECTION_REFUSED, texts::ConnectionRefused},
        {G_IO_ERROR, G_IO_ERROR_HOST_NOT_FOUND, texts::HostNotFound},
        {G_IO_ERROR, G_IO_ERROR_NETWORK_UNREACHABLE, texts::NetworkUnreachable},
        {G_IO_ERROR, G_IO_ERROR_HOST_UNREACHABLE, texts::NetworkUnreachable},
        {G_IO_ERROR, G_IO_ERROR_TIMED_OUT, texts::TimedOut},
        {G_IO_ERROR, G_IO_ERROR_PROXY_FAILED, texts::ProxyFailed},
        {G_IO_ERROR, G_IO_ERROR_PROXY_NOT_ALLOWED, texts::ProxyFailed},
        {G_IO_ERROR, G_IO_ERROR_PROXY_AUTH_FAILED, texts::ProxyFailed},
        {G_IO_ERROR, G_IO_ERROR_PROXY_NEED_AUTH, texts::ProxyFailed},
        {WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_UNKNOWN_PROTOCOL, texts::UnknownKindOfAddress},
        {WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_FILE_DOES_NOT_EXIST, texts::FileMissing},
        {WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_CANNOT_SHOW_URI, texts::UnknownKindOfAddress},
        {WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_CANNOT_SHOW_MIME_TYPE, texts::CannotShow},
        {WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_CANNOT_USE_RESTRICTED_PORT,
         texts::RestrictedPort},
    };
    for (const auto& row : reasons)
        if (g_error_matches(&error, row.domain, row.code))
            return row.reason;
    if (error.domain == G_RESOLVER_ERROR)
        return texts::HostNotFound;
    if (error.domain == G_TLS_ERROR)
        return texts::CertificateRefused;
    return texts::OtherFailure;
}

std::string EscapeHtml(std::string_view text)
{
    gchar* escaped = g_markup_escape_text(text.data(), static_cast<gssize>(text.size()));
    std::string result = escaped;
    g_free(escaped);
    return result;
}

// The short French page shown in place of one that could not be loaded or was ended: the address
// and what went wrong, in plain words. It offers no way past the failure.
std::string ErrorPage(std::string_view address, std::string_view reason, std::string_view detail,
                      std::string_view heading)
{
    std::string html =
        "<!DOCTYPE html><html lang='fr'><head><meta charset='utf-8'><title>" +
        EscapeHtml(texts::Title) +
        "</title><style>body{font-family:sans-serif;font-size:13px;margin:24px;color:#222}"
        "h1{font-size:16px}.adresse{word-break:break-all;color:#444}"
        ".detail{font-size:11px;color:#777}</style></head><body><h1>" +
        EscapeHtml(heading) + "</h1><p class='adresse'>" + EscapeHtml(texts::AddressLabel) + " " +
        EscapeHtml(address) + "</p><p>" + EscapeHtml(reason) + "</p><p>" +
        EscapeHtml(texts::Advice) + "</p>";
    if (!detail.empty())
        html += "<p class='detail'>" + EscapeHtml(texts::DetailLabel) + " " + EscapeHtml(detail) +
                "</p>";
    return html + "</body></html>";
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
        if (address && address == std::string_view(BlankPage) && HasPort(asked))
            self->ShowErrorPage(asked.c_str(), texts::RestrictedPort);
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
    // user moves on; a page dropped for want of anything to show is a failure all the same,
    // an HTTP error without a page such as a proxy's refusal to reach an https site.
    if (unshown && g_error_matches(error, WEBKIT_POLICY_ERROR,
                                   WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE)) {
        if (unshown < 400)
            self->ShowErrorPage(address, texts::CannotShow);
        else
            self->ShowErrorPage(address, texts::RefusedWithoutPage,
                                "HTTP " + std::to_string(unshown));
    } else if (loadEvent != WEBKIT_LOAD_COMMITTED && !LoadWasAbandoned(*error)) {
        self->ShowErrorPage(address, Reason(*error), error->message ? error->message : "");
    }
    return TRUE;
}

int LoadFailures::OnLoadFailedWithTlsErrors(WebKitWebView*, const char* address, void*, int,
                                            LoadFailures* self)
{
    self->ShowErrorPage(address, texts::CertificateRefused);
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
        self->ShowErrorPage(address, texts::TooMuchMemory, "", texts::StoppedHeading);
    else if (reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API && stoppingWebProcess && view != spared)
        self->ShowErrorPage(address, texts::NotAnswering, "", texts::StoppedHeading);
    else if (reason == WEBKIT_WEB_PROCESS_CRASHED && self->showsCrash_)
        self->ShowErrorPage(address, texts::Crashed, "", texts::StoppedHeading);
}

void LoadFailures::ShowErrorPage(const char* address, std::string_view reason,
                                 std::string_view detail, std::string_view heading)
{
    const std::string html = ErrorPage(address ? address : "", reason, detail, heading);
    errorPage_.emit();
    webkit_web_view_load_alternate_html(view_, html.c_str(), address, nullptr);
}

}  // namespace quillomat
