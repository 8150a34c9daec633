#pragma once

#include <memory>
#include <optional>

#include <gtkmm/colorchooserdialog.h>
#include <sigc++/trackable.h>

#include "main_use/main_use_desktop.h"

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitFileChooserRequest WebKitFileChooserRequest;
typedef struct _WebKitColorChooserRequest WebKitColorChooserRequest;
typedef struct _WebKitAuthenticationRequest WebKitAuthenticationRequest;
typedef struct _GtkWidget GtkWidget;

namespace quillomat {

// The dialogs a page's fields open, an upload field's file chooser and a colour field's colour
// dialog, which wait their turn over the page's window, and WebKit's log-in dialog for a site that
// asks for a password: each is a box of the program and holds the main use while open.
class PageChoosers : public sigc::trackable {
public:
    // Lives no longer than `view`; `boxes` outlives it.
    PageChoosers(WebKitWebView* view, MainUseDesktop& boxes);
    ~PageChoosers();
    PageChoosers(const PageChoosers&) = delete;
    PageChoosers& operator=(const PageChoosers&) = delete;

private:
    static int OnRunFileChooser(WebKitWebView* view, WebKitFileChooserRequest* request,
                                PageChoosers* self);
    static int OnRunColorChooser(WebKitWebView* view, WebKitColorChooserRequest* request,
                                 PageChoosers* self);
    static void OnColorRequestFinished(WebKitColorChooserRequest* request, PageChoosers* self);
    static int OnAuthenticate(WebKitWebView* view, WebKitAuthenticationRequest* request,
                              PageChoosers* self);
    static void OnLogInDialogGone(GtkWidget* dialog, PageChoosers* self);

    void ShowFileChooser(WebKitFileChooserRequest* request);
    void ShowColourChooser();
    void OnColourChooserResponse(int response);
    void EndColourRequest();
    void FollowLogInDialog();

    WebKitWebView* view_;
    MainUseDesktop& boxes_;
    // A page asks for one file choice at a time, and one colour.
    std::unique_ptr<MainUseDesktop::Turn> fileTurn_;
    WebKitColorChooserRequest* colourRequest_ = nullptr;
    std::unique_ptr<MainUseDesktop::Turn> colourTurn_;
    std::unique_ptr<Gtk::ColorChooserDialog> colourChooser_;
    std::optional<MainUseDesktop::OpenBox> colourBox_;
    // WebKit's log-in dialog once found in the view, and its box from the moment it asks.
    GtkWidget* logInDialog_ = nullptr;
    std::optional<MainUseDesktop::OpenBox> logInBox_;
};

}  // namespace quillomat
