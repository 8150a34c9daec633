#pragma once

#include <sigc++/signal.h>

#include <memory>
#include <string>

#include <gtkmm/widget.h>

#include "browser/recovery_budget.h"

typedef struct _WebKitWebView WebKitWebView;

namespace quillomat {

class DownloadGuard;
class PageDialogs;

// The embedded web browser in which the user works on the blog. It keeps nothing on disk:
// cookies, cache and storage end with the program.
class BrowserPane {
public:
    struct Options {
        // Empty: the desktop's proxy settings. Tests route every host to a loopback server.
        std::string proxyAddress;
    };

    explicit BrowserPane(const Options& options);
    ~BrowserPane();
    BrowserPane(const BrowserPane&) = delete;
    BrowserPane& operator=(const BrowserPane&) = delete;

    Gtk::Widget& Widget() { return *widget_; }

    void Navigate(const std::string& address);
    // The address of the page shown, or the empty text before the first page.
    std::string LocationURL() const;

    // Raised whenever the page or its address may have changed; the address may be unchanged.
    sigc::signal<void()>& signal_location_changed() { return locationChanged_; }
    // Raised when the web process kept dying and the pane gave up reloading its page.
    sigc::signal<void()>& signal_recovery_abandoned() { return recoveryAbandoned_; }

    // Whether the web content runs in WebKit's process sandbox.
    bool Sandboxed() const { return sandboxed_; }

private:
    static void OnUriNotify(WebKitWebView* view, void* paramSpec, BrowserPane* pane);
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, BrowserPane* pane);
    static void OnWebProcessTerminated(WebKitWebView* view, int reason, BrowserPane* pane);
    void RaiseLocationChanged();
    void RecoverFromWebProcessEnd();

    WebKitWebView* view_ = nullptr;
    Gtk::Widget* widget_ = nullptr;
    bool sandboxed_ = false;
    RecoveryBudget recoveryBudget_;
    // Whether the pane gave up reloading since the user last sent it somewhere.
    bool gaveUpRecovery_ = false;
    std::unique_ptr<DownloadGuard> downloadGuard_;
    std::unique_ptr<PageDialogs> pageDialogs_;
    sigc::signal<void()> locationChanged_;
    sigc::signal<void()> recoveryAbandoned_;
};

}  // namespace quillomat
