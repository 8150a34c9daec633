#pragma once

#include <memory>
#include <vector>

#include <glib.h>
#include <gtkmm/entry.h>
#include <gtkmm/messagedialog.h>
#include <sigc++/connection.h>
#include <sigc++/trackable.h>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitScriptDialog WebKitScriptDialog;
typedef struct _WebKitPrintOperation WebKitPrintOperation;
typedef union _GdkEvent GdkEvent;

namespace quillomat {

// What a page may ask of the user, kept from trapping the pane. Its script dialogs (alert,
// confirm, prompt, leaving the page) stand in a window of their own beside the main window,
// which leaves "Aller à..." usable; it prints only right after a click of the user's in the
// page, once per click.
class PageDialogs : public sigc::trackable {
public:
    // Lives no longer than `view`.
    explicit PageDialogs(WebKitWebView* view);
    ~PageDialogs();
    PageDialogs(const PageDialogs&) = delete;
    PageDialogs& operator=(const PageDialogs&) = delete;

    // The user asks to leave the page: its open dialog is dismissed, and those it opens until
    // the next page shows are answered at once. Returns whether the page was held in a dialog
    // or stopped answering, in which case only a new web process can take the pane elsewhere.
    bool ReleasePage();
    // Whether the page waits for the user: one of its dialogs is open, or the print dialog.
    bool WaitsForUser() const { return open_ || printing_; }

private:
    static int OnScriptDialog(WebKitWebView* view, WebKitScriptDialog* dialog, PageDialogs* self);
    static int OnPrint(WebKitWebView* view, WebKitPrintOperation* operation, PageDialogs* self);
    static int OnUserInput(WebKitWebView* view, GdkEvent* event, PageDialogs* self);
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, PageDialogs* self);
    static void OnWebProcessTerminated(WebKitWebView* view, int reason, PageDialogs* self);

    void Show(WebKitScriptDialog* dialog);
    void OnBoxResponse(int response);
    void CloseOpenDialog();
    void AnswerLater(WebKitScriptDialog* dialog);
    void AnswerWaitingDialogs();

    WebKitWebView* view_;
    // The dialog shown to the user, and its window.
    WebKitScriptDialog* open_ = nullptr;
    std::unique_ptr<Gtk::MessageDialog> box_;
    Gtk::Entry* promptEntry_ = nullptr;
    // Dialogs to answer once WebKit has returned from asking: it cannot be answered sooner.
    std::vector<WebKitScriptDialog*> waiting_;
    sigc::connection answerSoon_;
    bool leaving_ = false;
    // When the user last clicked or pressed an activating key in the page (monotonic
    // microseconds), until a print uses it; 0 for none.
    gint64 lastGesture_ = 0;
    bool printing_ = false;
};

}  // namespace quillomat
