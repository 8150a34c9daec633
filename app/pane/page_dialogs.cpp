#include "app/pane/page_dialogs.h"

#include <glibmm/main.h>
#include <gtkmm/box.h>
#include <sigc++/adaptors/bind_return.h>
#include <webkit2/webkit2.h>

#include <cstring>
#include <utility>

#include "app/look/ustring.h"
#include "app/pane/page_dialogs_texts.h"
#include "app/pane/signal_link.h"

namespace quillomat {

namespace texts = page_dialogs_texts;

namespace {

// How long after the click that asked for it a print may come.
constexpr gint64 PrintAfterGesture = G_USEC_PER_SEC;

// Enough for any real message; a page's megabyte would freeze the box's layout.
constexpr Glib::ustring::size_type ShownMessageLength = 2000;

Glib::ustring ShownMessage(WebKitScriptDialog* dialog)
{
    if (webkit_script_dialog_get_dialog_type(dialog) == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM)
        return ToUString(texts::LeavePageQuestion);
    Glib::ustring message = webkit_script_dialog_get_message(dialog);
    if (message.size() > ShownMessageLength)
        message = message.substr(0, ShownMessageLength) + ToUString(texts::MessageCut);
    return message;
}

// The most the prompt's text box holds, in bytes of UTF-8: GTK's entry drops what goes beyond.
constexpr std::size_t MostPromptBytes = 65534;

// A prompt whose text the box would cut: the page would get back a text it never gave.
bool CutsPromptText(WebKitScriptDialog* dialog)
{
    return webkit_script_dialog_get_dialog_type(dialog) == WEBKIT_SCRIPT_DIALOG_PROMPT &&
           std::strlen(webkit_script_dialog_prompt_get_default_text(dialog)) > MostPromptBytes;
}

bool AsksForAnswer(WebKitScriptDialogType type)
{
    return type != WEBKIT_SCRIPT_DIALOG_ALERT;
}

bool IsConfirmation(WebKitScriptDialogType type)
{
    return type == WEBKIT_SCRIPT_DIALOG_CONFIRM ||
           type == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM;
}

}  // namespace

PageDialogs::PageDialogs(WebKitWebView* view) : view_(view)
{
    ConnectWhileAlive(view_, "script-dialog", G_CALLBACK(&PageDialogs::OnScriptDialog), this);
    ConnectWhileAlive(view_, "print", G_CALLBACK(&PageDialogs::OnPrint), this);
    ConnectWhileAlive(view_, "button-press-event", G_CALLBACK(&PageDialogs::OnUserInput), this);
    ConnectWhileAlive(view_, "key-press-event", G_CALLBACK(&PageDialogs::OnUserInput), this);
    ConnectWhileAlive(view_, "load-changed", G_CALLBACK(&PageDialogs::OnLoadChanged), this);
    ConnectWhileAlive(view_, "web-process-terminated",
                      G_CALLBACK(&PageDialogs::OnWebProcessTerminated), this);
}

PageDialogs::~PageDialogs()
{
    answerSoon_.disconnect();
    AnswerWaitingDialogs();
    CloseOpenDialog();
}

bool PageDialogs::ReleasePage()
{
    const bool held = open_ || !webkit_web_view_get_is_web_process_responsive(view_);
    leaving_ = true;
    if (open_ && IsConfirmation(webkit_script_dialog_get_dialog_type(open_)))
        webkit_script_dialog_confirm_set_confirmed(open_,
                                                   webkit_script_dialog_get_dialog_type(open_) ==
                                                       WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM);
    CloseOpenDialog();
    return held;
}

int PageDialogs::OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, PageDialogs* self)
{
    // While the user leaves the page, or already answers one of its dialogs, the page gets
    // no answer but the default one, and no second window; so does a prompt too long to show.
    if (self->leaving_ || self->open_ || CutsPromptText(dialog))
        self->AnswerLater(dialog);
    else
        self->Show(dialog);
    return TRUE;
}

void PageDialogs::Show(WebKitScriptDialog* dialog)
{
    open_ = webkit_script_dialog_ref(dialog);
    const WebKitScriptDialogType type = webkit_script_dialog_get_dialog_type(dialog);
    box_ = std::make_unique<Gtk::MessageDialog>(
        ShownMessage(dialog), false,
        AsksForAnswer(type) ? Gtk::MESSAGE_QUESTION : Gtk::MESSAGE_INFO, Gtk::BUTTONS_NONE, false);
    box_->set_title(ToUString(texts::PageMessageTitle));
    const bool leaving = type == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM;
    if (AsksForAnswer(type))
        box_->add_button(ToUString(leaving ? texts::StayButton : texts::CancelButton),
                         Gtk::RESPONSE_CANCEL);
    box_->add_button(ToUString(leaving ? texts::LeaveButton : texts::OkButton), Gtk::RESPONSE_OK);
    box_->set_default_response(Gtk::RESPONSE_OK);
    promptEntry_ = nullptr;
    if (type == WEBKIT_SCRIPT_DIALOG_PROMPT) {
        promptEntry_ = Gtk::make_managed<Gtk::Entry>();
        promptEntry_->set_text(webkit_script_dialog_prompt_get_default_text(dialog));
        promptEntry_->set_activates_default(true);
        box_->get_message_area()->pack_start(*promptEntry_);
        promptEntry_->show();
    }
    GtkWidget* toplevel = gtk_widget_get_toplevel(GTK_WIDGET(view_));
    if (GTK_IS_WINDOW(toplevel) && gtk_widget_is_toplevel(toplevel)) {
        box_->set_transient_for(*Glib::wrap(GTK_WINDOW(toplevel)));
        box_->set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
    }
    box_->signal_response().connect(sigc::mem_fun(*this, &PageDialogs::OnBoxResponse));
    box_->show();
}

void PageDialogs::OnBoxResponse(int response)
{
    if (!open_)
        return;
    const WebKitScriptDialogType type = webkit_script_dialog_get_dialog_type(open_);
    const bool accepted = response == Gtk::RESPONSE_OK;
    if (IsConfirmation(type))
        webkit_script_dialog_confirm_set_confirmed(open_, accepted);
    if (type == WEBKIT_SCRIPT_DIALOG_PROMPT && accepted && promptEntry_)
        webkit_script_dialog_prompt_set_text(open_, promptEntry_->get_text().c_str());
    CloseOpenDialog();
}

void PageDialogs::CloseOpenDialog()
{
    // Hidden, not destroyed: this may run inside the box's own handler.
    if (box_)
        box_->hide();
    if (!open_)
        return;
    webkit_script_dialog_close(open_);
    webkit_script_dialog_unref(open_);
    open_ = nullptr;
}

void PageDialogs::AnswerLater(WebKitScriptDialog* dialog)
{
    // WebKit 2.50 crashes when a dialog is answered before its "script-dialog" handlers return.
    if (webkit_script_dialog_get_dialog_type(dialog) == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM)
        webkit_script_dialog_confirm_set_confirmed(dialog, leaving_);
    waiting_.push_back(webkit_script_dialog_ref(dialog));
    if (!answerSoon_.connected())
        answerSoon_ = Glib::signal_idle().connect(
            sigc::bind_return(sigc::mem_fun(*this, &PageDialogs::AnswerWaitingDialogs), false));
}

void PageDialogs::AnswerWaitingDialogs()
{
    for (WebKitScriptDialog* dialog : std::exchange(waiting_, {})) {
        webkit_script_dialog_close(dialog);
        webkit_script_dialog_unref(dialog);
    }
}

int PageDialogs::OnPrint(WebKitWebView* view, WebKitPrintOperation* operation, PageDialogs* self)
{
    // One print dialog per click, right after it: a page cannot open them one after another by
    // itself, nor keep an old click for later.
    const gint64 gesture = std::exchange(self->lastGesture_, 0);
    if (gesture == 0 || g_get_monotonic_time() - gesture > PrintAfterGesture)
        return TRUE;
    // The dialog holds the window, and the page waits for it, until the user answers.
    GtkWidget* toplevel = gtk_widget_get_toplevel(GTK_WIDGET(view));
    self->printing_ = true;
    webkit_print_operation_run_dialog(operation,
                                      GTK_IS_WINDOW(toplevel) ? GTK_WINDOW(toplevel) : nullptr);
    self->printing_ = false;
    return TRUE;
}

int PageDialogs::OnUserInput(WebKitWebView*, GdkEvent* event, PageDialogs* self)
{
    const bool activates =
        event->type == GDK_BUTTON_PRESS ||
        (event->type == GDK_KEY_PRESS &&
         (event->key.keyval == GDK_KEY_Return || event->key.keyval == GDK_KEY_KP_Enter ||
          event->key.keyval == GDK_KEY_space));
    if (activates)
        self->lastGesture_ = g_get_monotonic_time();
    return FALSE;
}

void PageDialogs::OnLoadChanged(WebKitWebView*, int loadEvent, PageDialogs* self)
{
    if (loadEvent != WEBKIT_LOAD_COMMITTED)
        return;
    // A new page: it asks the user afresh, and an earlier click lets it print nothing.
    self->leaving_ = false;
    self->lastGesture_ = 0;
}

void PageDialogs::OnWebProcessTerminated(WebKitWebView*, int, PageDialogs* self)
{
    self->CloseOpenDialog();
}

}  // namespace quillomat
