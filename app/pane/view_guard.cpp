#include "app/pane/view_guard.h"

#include <glibmm/exceptionhandler.h>
#include <glibmm/main.h>
#include <sigc++/adaptors/bind_return.h>
#include <webkit2/webkit2.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "app/desktop/signal_link.h"
#include "app/pane/pane_error_page.h"
#include "app/pane/spell_checking.h"

namespace quillomat {

namespace {

using namespace std::chrono_literals;

constexpr char GuardKey[] = "quillomat-view-guard";
constexpr char BlankPage[] = "about:blank";

// How long a page asked to leave may take to show a sign of life.
constexpr auto AnswerTime = 1s;

// A bound that leaves a 4 GB laptop its desktop: a gigabyte, or a quarter of the memory where
// that is less.
unsigned WebProcessMemoryLimitInMegabytes()
{
    constexpr std::uint64_t Megabyte = 1024 * 1024;
    constexpr std::uint64_t Most = 1024;
    constexpr std::uint64_t Least = 256;
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return Most;
    const std::uint64_t quarter = std::uint64_t(pages) * std::uint64_t(pageSize) / 4 / Megabyte;
    return unsigned(std::clamp(quarter, Least, Most));
}

WebKitMemoryPressureSettings* NewMemoryPressureSettings()
{
    WebKitMemoryPressureSettings* settings = webkit_memory_pressure_settings_new();
    webkit_memory_pressure_settings_set_memory_limit(settings, WebProcessMemoryLimitInMegabytes());
    // Caches are let go from half the bound on; past it, the web process is ended. Each
    // threshold must stay above the one before it, the defaults included.
    webkit_memory_pressure_settings_set_strict_threshold(settings, 0.75);
    webkit_memory_pressure_settings_set_conservative_threshold(settings, 0.5);
    webkit_memory_pressure_settings_set_kill_threshold(settings, 1.0);
    // A page can take gigabytes within seconds.
    webkit_memory_pressure_settings_set_poll_interval(settings, 1.0);
    return settings;
}

bool HasPort(const std::string& address)
{
    GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr);
    const bool hasPort = uri && g_uri_get_port(uri) > 0;
    if (uri)
        g_uri_unref(uri);
    return hasPort;
}

void OnProbeAnswered(GObject* view, GAsyncResult* result, gpointer data)
{
    // The flag outlives a guard that went meanwhile.
    std::unique_ptr<std::shared_ptr<bool>> answered(static_cast<std::shared_ptr<bool>*>(data));
    JSCValue* value =
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, nullptr);
    if (value)
        g_object_unref(value);
    **answered = true;
}

}  // namespace

WebKitWebContext* ViewGuard::NewContext(const ContextOptions& options)
{
    WebKitWebsiteDataManager* dataManager = webkit_website_data_manager_new_ephemeral();
    if (!options.proxyAddress.empty()) {
        WebKitNetworkProxySettings* proxy =
            webkit_network_proxy_settings_new(options.proxyAddress.c_str(), nullptr);
        webkit_website_data_manager_set_network_proxy_settings(
            dataManager, WEBKIT_NETWORK_PROXY_MODE_CUSTOM, proxy);
        webkit_network_proxy_settings_free(proxy);
    }
    WebKitMemoryPressureSettings* memory = NewMemoryPressureSettings();
    auto* context =
        WEBKIT_WEB_CONTEXT(g_object_new(WEBKIT_TYPE_WEB_CONTEXT, "website-data-manager",
                                        dataManager, "memory-pressure-settings", memory, nullptr));
    webkit_memory_pressure_settings_free(memory);
    g_object_unref(dataManager);
    webkit_web_context_set_sandbox_enabled(context, options.sandboxed);
    return context;
}

WebKitWebView* ViewGuard::NewView(WebKitWebContext* context)
{
    return Guard(WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(context)));
}

WebKitWebView* ViewGuard::NewRelatedView(WebKitWebView* opener)
{
    return Guard(WEBKIT_WEB_VIEW(webkit_web_view_new_with_related_view(opener)));
}

ViewGuard& ViewGuard::Of(WebKitWebView* view)
{
    return *static_cast<ViewGuard*>(g_object_get_data(G_OBJECT(view), GuardKey));
}

WebKitWebView* ViewGuard::Guard(WebKitWebView* view)
{
    auto* guard = new ViewGuard(view);
    g_object_set_data(G_OBJECT(view), GuardKey, guard);
    // The guard goes with the view, once its handlers are gone.
    g_object_weak_ref(G_OBJECT(view), &ViewGuard::Free, guard);
    HelpWritingInFrench(view);
    return view;
}

void ViewGuard::Free(void* guard, GObject*)
{
    delete static_cast<ViewGuard*>(guard);
}

ViewGuard::ViewGuard(WebKitWebView* view) : view_(view), dialogs_(view)
{
    // A page in full screen would fill the screen from a pane a few hundred pixels wide; the
    // blog's pages have no need of it.
    webkit_settings_set_enable_fullscreen(webkit_web_view_get_settings(view_), FALSE);
    ConnectWhileAlive(view_, "load-failed", G_CALLBACK(&ViewGuard::OnLoadFailed), this);
    ConnectWhileAlive(view_, "load-failed-with-tls-errors",
                      G_CALLBACK(&ViewGuard::OnLoadFailedWithTlsErrors), this);
    ConnectWhileAlive(view_, "load-changed", G_CALLBACK(&ViewGuard::OnLoadChanged), this);
    ConnectWhileAlive(view_, "decide-policy", G_CALLBACK(&ViewGuard::OnDecidePolicy), this);
    ConnectWhileAlive(view_, "web-process-terminated",
                      G_CALLBACK(&ViewGuard::OnWebProcessTerminated), this);
    ConnectWhileAlive(view_, "permission-request", G_CALLBACK(&ViewGuard::OnPermissionRequest),
                      this);
    ConnectWhileAlive(view_, "enter-fullscreen", G_CALLBACK(&ViewGuard::OnEnterFullScreen), this);
}

void ViewGuard::Leave(std::function<void()> load)
{
    leaveWatch_.disconnect();
    const bool held = dialogs_.ReleasePage();
    if (held)
        webkit_web_view_terminate_web_process(view_);
    load();
    if (held || !pageInProcess_)
        return;
    // WebKit learns that a page stopped answering only seconds after it first asked something of
    // it: a page that gives no sign of life soon after being asked to leave is taken for one.
    leavingFor_ = std::move(load);
    processAnswered_ = std::make_shared<bool>(false);
    webkit_web_view_evaluate_javascript(view_, "0", -1, nullptr, nullptr, nullptr, &OnProbeAnswered,
                                        new std::shared_ptr<bool>(processAnswered_));
    leaveWatch_ = Glib::signal_timeout().connect(
        sigc::bind_return(sigc::mem_fun(*this, &ViewGuard::OnLeaveWatchEnded), false),
        std::chrono::duration_cast<std::chrono::milliseconds>(AnswerTime).count());
}

void ViewGuard::ForgetLoad()
{
    leaveWatch_.disconnect();
    leavingFor_ = nullptr;
}

void ViewGuard::OnLeaveWatchEnded()
{
    try {
        const std::function<void()> load = std::exchange(leavingFor_, nullptr);
        if (!load || *processAnswered_)
            return;
        webkit_web_view_terminate_web_process(view_);
        load();
    } catch (...) {
        Glib::exception_handlers_invoke();
    }
}

void ViewGuard::Release()
{
    dialogs_.ReleasePage();
}

void ViewGuard::StopPage()
{
    leaveWatch_.disconnect();
    dialogs_.ReleasePage();
    stopping_ = true;
    webkit_web_view_terminate_web_process(view_);
}

void ViewGuard::OnLoadChanged(WebKitWebView* view, int loadEvent, ViewGuard* self)
{
    const char* address = webkit_web_view_get_uri(view);
    if (loadEvent == WEBKIT_LOAD_STARTED) {
        if (self->processAnswered_)
            *self->processAnswered_ = true;
        self->loading_ = address ? address : "";
        self->unshownAnswer_ = 0;
    } else if (loadEvent == WEBKIT_LOAD_COMMITTED) {
        self->pageInProcess_ = true;
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

int ViewGuard::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, int type,
                              ViewGuard* self)
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

int ViewGuard::OnLoadFailed(WebKitWebView*, int loadEvent, const char* address, GError* error,
                            ViewGuard* self)
{
    if (self->processAnswered_)
        *self->processAnswered_ = true;
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

int ViewGuard::OnLoadFailedWithTlsErrors(WebKitWebView*, const char* address, void*, int,
                                         ViewGuard* self)
{
    self->ShowErrorPage(address, CertificateErrorPage(address ? address : ""));
    return TRUE;
}

void ViewGuard::OnWebProcessTerminated(WebKitWebView* view, int reason, ViewGuard* self)
{
    self->pageInProcess_ = false;
    self->leaveWatch_.disconnect();
    const bool stopped = std::exchange(self->stopping_, false);
    const char* address = webkit_web_view_get_uri(view);
    if (reason == WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT)
        self->ShowErrorPage(address,
                            StoppedPageErrorPage(address ? address : "", PageStop::TooMuchMemory));
    else if (reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API && stopped)
        self->ShowErrorPage(address,
                            StoppedPageErrorPage(address ? address : "", PageStop::NotAnswering));
}

int ViewGuard::OnPermissionRequest(WebKitWebView*, WebKitPermissionRequest* request, ViewGuard*)
{
    // Nothing the blog's pages do needs the camera, the position, notifications or the like.
    webkit_permission_request_deny(request);
    return TRUE;
}

int ViewGuard::OnEnterFullScreen(WebKitWebView*, ViewGuard*)
{
    return TRUE;
}

void ViewGuard::ShowErrorPage(const char* address, const std::string& html)
{
    try {
        errorPage_.emit();
        webkit_web_view_load_alternate_html(view_, html.c_str(), address, nullptr);
    } catch (...) {
        Glib::exception_handlers_invoke();
    }
}

}  // namespace quillomat
