#include "app/pane/browser_pane.h"

#include <webkit2/webkit2.h>

#include <utility>

#include "app/pane/bubblewrap_probe.h"
#include "app/pane/download_guard.h"
#include "app/pane/find_bar.h"
#include "app/pane/page_activation.h"
#include "app/pane/pane_shortcuts.h"
#include "app/pane/signal_link.h"
#include "app/pane/view_guard.h"
#include "app/pane/web_context.h"

namespace quillomat {

namespace {

using namespace std::chrono_literals;

constexpr std::size_t RecoveriesPerWindow = 3;
constexpr auto RecoveryWindow = 60s;
constexpr char BlankPage[] = "about:blank";

}  // namespace

BrowserPane::BrowserPane(const Options& options, Gtk::Window& window, MainUseDesktop& boxes)
    : recoveryBudget_(RecoveriesPerWindow, RecoveryWindow),
      stalledNotice_(window, [this] { guard_->StopPage(); })
{
    // Only where bubblewrap really works: elsewhere WebKit could not start any page.
    WebKitWebContext* context = NewWebContext({options.proxyAddress, BubblewrapSandboxWorks()});
    view_ = ViewGuard::NewView(context, boxes);
    g_object_unref(context);
    g_object_ref_sink(view_);
    guard_ = &ViewGuard::Of(view_);
    downloadGuard_ = std::make_unique<DownloadGuard>(view_, boxes);
    widget_ = Glib::wrap(GTK_WIDGET(view_));

    ConnectWhileAlive<&BrowserPane::OnLoadStateNotify>(view_, "notify::uri", this);
    ConnectWhileAlive<&BrowserPane::OnLoadStateNotify>(view_, "notify::is-loading", this);
    ConnectWhileAlive<&BrowserPane::OnLoadChanged>(view_, "load-changed", this);
    ConnectWhileAlive<&BrowserPane::OnWebProcessTerminated>(view_, "web-process-terminated", this);
    ConnectWhileAlive<&BrowserPane::OnResponsiveNotify>(view_, "notify::is-web-process-responsive",
                                                        this);
    ConnectWhileAlive<&BrowserPane::OnCreate>(view_, "create", this);
    PageActivation::Of(view_).signal_user_acted().connect(
        sigc::mem_fun(*this, &BrowserPane::OnUserActed));
    guard_->signal_error_page().connect(sigc::mem_fun(*this, &BrowserPane::OnErrorPageRequested));
    shortcuts_ = std::make_unique<PaneShortcuts>(
        PaneShortcuts::Navigation{[this] { GoBack(); }, [this] { GoForward(); },
                                  [this] { Reload(); },
                                  [this] { webkit_web_view_stop_loading(view_); }},
        view_);
    findBar_ = std::make_unique<FindBar>(view_);
}

BrowserPane::~BrowserPane()
{
    // The view outlives the pane in its window: nothing it reports reaches the pane from here on.
    notify_callbacks();
    guard_->ForgetLoad();
    popups_.CloseAll();
    // A page that hangs would keep its web process, and its sandbox, busy after the program.
    webkit_web_view_terminate_web_process(view_);
    shortcuts_.reset();
    findBar_.reset();
    g_object_unref(view_);
}

Gtk::Widget& BrowserPane::Area()
{
    return findBar_->Widget();
}

void BrowserPane::Navigate(const std::string& address)
{
    gaveUpRecovery_ = false;
    stalledNotice_.Hide();
    guard_->Leave([this, address] {
        RequestLoad();
        webkit_web_view_load_uri(view_, address.c_str());
    });
}

void BrowserPane::GoBack()
{
    if (!webkit_web_view_can_go_back(view_))
        return;
    // The entry may be one of the page's own history.
    OnUserActed(view_);
    guard_->Leave([this] {
        RequestLoad();
        webkit_web_view_go_back(view_);
    });
}

void BrowserPane::GoForward()
{
    if (!webkit_web_view_can_go_forward(view_))
        return;
    OnUserActed(view_);
    guard_->Leave([this] {
        RequestLoad();
        webkit_web_view_go_forward(view_);
    });
}

void BrowserPane::Reload()
{
    stalledNotice_.Hide();
    guard_->Leave([this] {
        RequestLoad();
        webkit_web_view_reload(view_);
    });
}

bool BrowserPane::HandleShortcut(const GdkEventKey& event)
{
    return findBar_->OnKeyPress(event) || shortcuts_->OnKeyPress(event);
}

void BrowserPane::RequestLoad()
{
    loadRequested_ = true;
    errorPageRequested_ = false;
}

// WebKit's active address runs ahead of the page shown (the address asked for, each of a
// redirect): it is the page shown's only once no load is under way, after a same-document change
// (history.pushState, a fragment, the page's own history) or a failed load.
void BrowserPane::OnLoadStateNotify(WebKitWebView* view, void*, BrowserPane* pane)
{
    const char* address = webkit_web_view_get_uri(view);
    if (webkit_web_view_is_loading(view)) {
        if (address && *address)
            pane->goingTo_ = address;
        return;
    }
    pane->loadRequested_ = false;
    if (!pane->showingErrorPage_)
        pane->Show(address);
}

void BrowserPane::OnLoadChanged(WebKitWebView* view, int loadEvent, BrowserPane* pane)
{
    // A load that another replaces ends while the pane goes on loading.
    if (loadEvent == WEBKIT_LOAD_FINISHED && !webkit_web_view_is_loading(view))
        pane->goingTo_.clear();
    if (loadEvent == WEBKIT_LOAD_STARTED) {
        pane->loadRequested_ = false;
        pane->loadingErrorPage_ = std::exchange(pane->errorPageRequested_, false);
    } else if (loadEvent == WEBKIT_LOAD_COMMITTED) {
        // The new page is on screen, after any redirect. Should another load have been asked for
        // meanwhile, the active address is already that one's: the end of the loads tells.
        pane->showingErrorPage_ = pane->loadingErrorPage_;
        pane->documentUnannounced_ = !pane->showingErrorPage_;
        if (!pane->showingErrorPage_ && !pane->loadRequested_)
            pane->Show(webkit_web_view_get_uri(view));
    }
}

// A link that the user follows into a new window, from the pane or a pop-up, opens in the pane,
// where detection follows it; a window that a script opens (a picture chooser) is a pop-up.
GtkWidget* BrowserPane::OnCreate(WebKitWebView* view, WebKitNavigationAction* action,
                                 BrowserPane* pane)
{
    if (webkit_navigation_action_get_navigation_type(action) ==
            WEBKIT_NAVIGATION_TYPE_LINK_CLICKED &&
        webkit_navigation_action_is_user_gesture(action)) {
        pane->RequestLoad();
        webkit_web_view_load_request(pane->view_, webkit_navigation_action_get_request(action));
        return nullptr;
    }
    WebKitWebView* popup = pane->popups_.Open(view);
    if (!popup)
        return nullptr;
    ConnectWhileAlive<&BrowserPane::OnCreate>(popup, "create", pane);
    return GTK_WIDGET(popup);
}

void BrowserPane::OnErrorPageRequested()
{
    RequestLoad();
    errorPageRequested_ = true;
}

void BrowserPane::Show(const char* address)
{
    const std::string shown = address ? address : "";
    if (shown == shownAddress_ && !documentUnannounced_)
        return;
    shownAddress_ = shown;
    const AddressChange change = std::exchange(documentUnannounced_, false)
                                     ? AddressChange::NewDocument
                                     : AddressChange::SameDocument;
    locationChanged_.emit(shownAddress_, change);
}

void BrowserPane::OnUserActed(WebKitWebView* view)
{
    if (view == view_)
        userActed_.emit();
}

// WebKit's own notice comes seconds after the page stopped answering a click or a key.
void BrowserPane::OnResponsiveNotify(WebKitWebView* view, void*, BrowserPane* pane)
{
    // A page waiting for the user's answer is not a page that hangs.
    if (webkit_web_view_get_is_web_process_responsive(view))
        pane->stalledNotice_.Hide();
    else if (!pane->guard_->PageWaitsForUser())
        pane->stalledNotice_.Show();
}

void BrowserPane::OnWebProcessTerminated(WebKitWebView*, int reason, BrowserPane* pane)
{
    pane->stalledNotice_.Hide();
    // The program ended it, or the page took too much memory: the guard shows why.
    if (reason != WEBKIT_WEB_PROCESS_TERMINATED_BY_API &&
        reason != WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT)
        pane->RecoverFromWebProcessEnd();
}

void BrowserPane::RecoverFromWebProcessEnd()
{
    if (recoveryBudget_.TryRecover(RecoveryBudget::Clock::now())) {
        // The new process loads the address under way, else the page on screen (for an error
        // page, the address that failed).
        const char* shown = webkit_web_view_get_uri(view_);
        const std::string page = !goingTo_.empty() ? goingTo_ : shown ? shown : "";
        RequestLoad();
        webkit_web_view_load_uri(view_, page.empty() ? BlankPage : page.c_str());
        return;
    }
    RequestLoad();
    webkit_web_view_load_uri(view_, BlankPage);
    // Said once until the user sends the pane elsewhere, not each time the empty page's dies too.
    if (!std::exchange(gaveUpRecovery_, true))
        recoveryAbandoned_.emit();
}

}  // namespace quillomat
