#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <gtkmm/entry.h>
#include <gtkmm/messagedialog.h>
#include <sigc++/connection.h>
#include <sigc++/trackable.h>

#include "app/pane/page_activation.h"
#include "main_use/main_use_desktop.h"

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitScriptDialog WebKitScriptDialog;
typedef struct _WebKitPrintOperation WebKitPrintOperation;

namespace quillomat {

// What a page may ask of the user, kept from trapping the pane: its script dialogs stand in a
// window of their own beside the main window, which leaves "Aller à..." usable, and it prints
// only within the user's own action in it, once per action. Both are boxes of the program: they
// wait for the box open, if any, and hold the main use while open.
class PageDialogs : public sigc::trackable {
public:
    // Lives no longer than `view`; `boxes` outlives it.
    PageDialogs(WebKitWebView* view, MainUseDesktop& boxes);
    ~PageDialogs();
    PageDialogs(const PageDialogs&) = delete;
    PageDialogs& operator=(const PageDialogs&) = delete;

    // The user asks to leave the page: its open dialog is dismissed, and those it opens until
    // the next page shows are answered at once. Returns whether the page was held in a dialog
    // or stopped answering, in which case only a new web process can take the pane elsewhere.
    bool ReleasePage();
    // Whether the page waits for the user's answer to one of its dialogs, shown or to come.
    bool WaitsForUser() const { return asked_ != nullptr; }

private:
    static int OnScriptDialog(WebKitWebView* view, WebKitScriptDialog* dialog, PageDialogs* self);
    static int OnPrint(WebKitWebView* view, WebKitPrintOperation* operation, PageDialogs* self);
    static void OnLoadChanged(WebKitWebView* view, int loadEvent, PageDialogs* self);
    static void OnWebProcessTerminated(WebKitWebView* view, int reason, PageDialogs* self);

    void Show();
    void OnBoxResponse(int response);
    void CloseAskedDialog();
    void AnswerLater(WebKitScriptDialog* dialog);
    void AnswerWaitingDialogs();
    void AskToPrint();
    void Print();

    WebKitWebView* view_;
    MainUseDesktop& boxes_;
    PageActivation& activation_;
    // The dialog the user is asked, in its window once its turn has come.
    WebKitScriptDialog* asked_ = nullptr;
    std::unique_ptr<MainUseDesktop::Turn> turn_;
    std::optional<MainUseDesktop::OpenBox> shown_;
    std::unique_ptr<Gtk::MessageDialog> box_;
    Gtk::Entry* promptEntry_ = nullptr;
    // Dialogs to answer once WebKit has returned from asking: it cannot be answered sooner.
    std::vector<WebKitScriptDialog*> waiting_;
    sigc::connection answerSoon_;
    bool leaving_ = false;
    std::unique_ptr<MainUseDesktop::Turn> printTurn_;
};

}  // namespace quillomat
