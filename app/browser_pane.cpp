#include "app/browser_pane.h"

#include <glibmm/exceptionhandler.h>
#include <webkit2/webkit2.h>

#include <utility>

#include "app/download_guard.h"
#include "app/page_dialogs.h"
#include "app/sandbox_probe.h"

namespace quillomat {

namespace {

using namespace std::chrono_literals;

constexpr std::size_t RecoveriesPerWindow = 3;
constexpr auto RecoveryWindow = 60s;
constexpr char BlankPage[] = "about:blank";

WebKitWebContext* CreateEphemeralContext(const BrowserPane::Options& options)
{
    WebKitWebsiteDataManager* dataManager = webkit_website_data_manager_new_ephemeral();
    if (!options.proxyAddress.empty()) {
        WebKitNetworkProxySettings* proxy =
            webkit_network_proxy_settings_new(options.proxyAddress.c_str(), nullptr);
        webkit_website_data_manager_set_network_proxy_settings(
            dataManager, WEBKIT_NETWORK_PROXY_MODE_CUSTOM, proxy);
        webkit_network_proxy_settings_free(proxy);
    }
    WebKitWebContext* context = webkit_web_context_new_with_website_data_manager(dataManager);
    g_object_unref(dataManager);
    return context;
}

}  // namespace

BrowserPane::BrowserPane(const Options& options)
    : recoveryBudget_(RecoveriesPerWindow, RecoveryWindow)
{
    WebKitWebContext* context = CreateEphemeralContext(options);
    // Only where bubblewrap really works: elsewhere WebKit could not start any page.
    sandboxed_ = BubblewrapSandboxWorks();
    webkit_web_context_set_sandbox_enabled(context, sandboxed_);
    downloadGuard_ = std::make_unique<DownloadGuard>(context);
    view_ = WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(context));
    g_object_unref(context);
    g_object_ref_sink(view_);
    widget_ = Glib::wrap(GTK_WIDGET(view_));
    pageDialogs_ = std::make_unique<PageDialogs>(view_);

    g_signal_connect(view_, "notify::uri", G_CALLBACK(&BrowserPane::OnUriNotify), this);
    g_signal_connect(view_, "load-changed", G_CALLBACK(&BrowserPane::OnLoadChanged), this);
    g_signal_connect(view_, "web-process-terminated",
                     G_CALLBACK(&BrowserPane::OnWebProcessTerminated), this);
}

BrowserPane::~BrowserPane()
{
    g_signal_handlers_disconnect_by_data(view_, this);
    g_object_unref(view_);
}

void BrowserPane::Navigate(const std::string& address)
{
    // A page held in a dialog loop, or busy for ever, never gets to load another page: its web
    // process makes way for a new one.
    if (pageDialogs_->ReleasePage())
        webkit_web_view_terminate_web_process(view_);
    gaveUpRecovery_ = false;
    webkit_web_view_load_uri(view_, address.c_str());
}

std::string BrowserPane::LocationURL() const
{
    const char* uri = webkit_web_view_get_uri(view_);
    return uri ? uri : "";
}

void BrowserPane::OnUriNotify(WebKitWebView*, void*, BrowserPane* pane)
{
    pane->RaiseLocationChanged();
}

void BrowserPane::OnLoadChanged(WebKitWebView*, int, BrowserPane* pane)
{
    pane->RaiseLocationChanged();
}

void BrowserPane::OnWebProcessTerminated(WebKitWebView*, int reason, BrowserPane* pane)
{
    if (reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API)
        return;
    try {
        pane->RecoverFromWebProcessEnd();
    } catch (...) {
        Glib::exception_handlers_invoke();
    }
}

void BrowserPane::RecoverFromWebProcessEnd()
{
    if (recoveryBudget_.TryRecover(RecoveryBudget::Clock::now())) {
        // A new web process starts with the load; the address is still the page's.
        const std::string address = LocationURL();
        webkit_web_view_load_uri(view_, address.empty() ? BlankPage : address.c_str());
        return;
    }
    webkit_web_view_load_uri(view_, BlankPage);
    // Said once, not again each time the empty page's process dies too, until the user takes
    // the pane elsewhere.
    if (!std::exchange(gaveUpRecovery_, true))
        recoveryAbandoned_.emit();
}

void BrowserPane::RaiseLocationChanged()
{
    // WebKit calls us from C, where glibmm does not catch escaped exceptions for us: hand them
    // to the same handlers as every gtkmm signal does.
    try {
        locationChanged_.emit();
    } catch (...) {
        Glib::exception_handlers_invoke();
    }
}

}  // namespace quillomat
