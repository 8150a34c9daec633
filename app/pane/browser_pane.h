#pragma once

#include <sigc++/signal.h>
#include <sigc++/trackable.h>

#include <memory>
#include <string>

#include <gtkmm/widget.h>
#include <gtkmm/window.h>

#include "app/pane/popup_windows.h"
#include "app/pane/stalled_page_notice.h"
#include "browser/current_address_field.h"
#include "browser/recovery_budget.h"

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitNavigationAction WebKitNavigationAction;

namespace quillomat {

class DownloadGuard;
class FindBar;
class MainUseDesktop;
class PaneShortcuts;
class ViewGuard;

// The embedded web browser in which the user works on the blog. It keeps nothing on disk:
// cookies, cache and storage end with the program.
class BrowserPane : public sigc::trackable {
public:
    struct Options {
        // Empty: the desktop's proxy settings. Tests route every host to a loopback server.
        std::string proxyAddress;
    };

    // `window`, the one the pane is in, shows the notice of a page that hangs; the pages' and the
    // downloads' dialogs are among `boxes`. Both outlive the pane.
    BrowserPane(const Options& options, Gtk::Window& window, MainUseDesktop& boxes);
    ~BrowserPane();
    BrowserPane(const BrowserPane&) = delete;
    BrowserPane& operator=(const BrowserPane&) = delete;

    // The page, which takes the keyboard focus.
    Gtk::Widget& Widget() { return *widget_; }
    // What the window places: the page with the find bar laid over its bottom edge.
    Gtk::Widget& Area();

    void Navigate(const std::string& address);
    void GoBack();
    void GoForward();
    void Reload();
    // The browser keys, wherever the window's focus is; returns whether the key was one of them.
    bool HandleShortcut(const GdkEventKey& event);
    // The address of the last page really shown (not one still loading, nor an error page), or
    // the empty text before the first page.
    const std::string& LocationURL() const { return shownAddress_; }

    // Raised with the address of the page shown each time it changes, or another document comes
    // at the same address, and with how it came.
    sigc::signal<void(const std::string&, AddressChange)>& signal_location_changed()
    {
        return locationChanged_;
    }
    // Raised when the user acts in the page (a key, a click) or moves through its history.
    sigc::signal<void()>& signal_user_acted() { return userActed_; }
    // Raised when the web process kept dying and the pane gave up reloading its page.
    sigc::signal<void()>& signal_recovery_abandoned() { return recoveryAbandoned_; }

private:
    static void OnLoadStateNotify(WebKitWebView* view, void* paramSpec, BrowserPane* pane);
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, BrowserPane* pane);
    static void OnWebProcessTerminated(WebKitWebView* view, int reason, BrowserPane* pane);
    static void OnResponsiveNotify(WebKitWebView* view, void* paramSpec, BrowserPane* pane);
    static GtkWidget* OnCreate(WebKitWebView* view, WebKitNavigationAction* action,
                               BrowserPane* pane);
    // Every load the program starts goes through here first.
    void RequestLoad();
    void OnErrorPageRequested();
    void Show(const char* address);
    void OnUserActed(WebKitWebView* view);
    void RecoverFromWebProcessEnd();

    WebKitWebView* view_ = nullptr;
    ViewGuard* guard_ = nullptr;
    Gtk::Widget* widget_ = nullptr;
    std::string shownAddress_;
    // The address of the load under way, asked for or being opened, until the pane stops
    // loading: WebKit forgets an address not yet on screen when its web process ends.
    std::string goingTo_;
    // A document came on screen that the pane has not announced yet.
    bool documentUnannounced_ = false;
    // A load the program asked for has not started yet: WebKit's active address is already that
    // load's, not the page shown.
    bool loadRequested_ = false;
    bool errorPageRequested_ = false;
    bool loadingErrorPage_ = false;
    bool showingErrorPage_ = false;
    RecoveryBudget recoveryBudget_;
    // Whether the pane gave up reloading since the user last sent it somewhere.
    bool gaveUpRecovery_ = false;
    std::unique_ptr<DownloadGuard> downloadGuard_;
    StalledPageNotice stalledNotice_;
    PopupWindows popups_;
    std::unique_ptr<PaneShortcuts> shortcuts_;
    std::unique_ptr<FindBar> findBar_;
    sigc::signal<void(const std::string&, AddressChange)> locationChanged_;
    sigc::signal<void()> userActed_;
    sigc::signal<void()> recoveryAbandoned_;
};

}  // namespace quillomat
