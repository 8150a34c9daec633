#pragma once

#include <sigc++/signal.h>

#include <string>

#include <gtkmm/widget.h>

typedef struct _WebKitWebView WebKitWebView;

namespace quillomat {

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

private:
    static void OnUriNotify(WebKitWebView* view, void* paramSpec, BrowserPane* pane);
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, BrowserPane* pane);
    void RaiseLocationChanged();

    WebKitWebView* view_ = nullptr;
    Gtk::Widget* widget_ = nullptr;
    sigc::signal<void()> locationChanged_;
};

}  // namespace quillomat
