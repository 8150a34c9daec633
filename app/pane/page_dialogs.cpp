#include "app/pane/page_dialogs.h"

#include <glibmm/main.h>
#include <gtkmm/box.h>
#include <sigc++/adaptors/bind_return.h>
#include <webkit2/webkit2.h>

#include <cstring>
#include <utility>

#include "app/desktop/message_box_text.h"
#include "app/look/ustring.h"
#include "app/pane/page_dialogs_texts.h"
#include "app/pane/signal_link.h"
#include "app/pane/view_window.h"
#include "main_use/program_end.h"

namespace quillomat {

namespace texts = page_dialogs_texts;

namespace {

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

bool IsConfirmation(WebKitScriptDialogType type)
{
    return type == WEBKIT_SCRIPT_DIALOG_CONFIRM ||
           type == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM;
}

}  // namespace

PageDialogs::PageDialogs(WebKitWebView* view, MainUseDesktop& boxes)
    : view_(view), boxes_(boxes), activation_(PageActivation::Of(view))
{
    ConnectWhileAlive<&PageDialogs::OnScriptDialog>(view_, "script-dialog", this);
    ConnectWhileAlive<&PageDialogs::OnPrint>(view_, "print", this);
    ConnectWhileAlive<&PageDialogs::OnLoadChanged>(view_, "load-changed", this);
    ConnectWhileAlive<&PageDialogs::OnWebProcessTerminated>(view_, "web-process-terminated", this);
}

PageDialogs::~PageDialogs()
{
    answerSoon_.disconnect();
    AnswerWaitingDialogs();
    CloseAskedDialog();
}

bool PageDialogs::ReleasePage()
{
    const bool held = asked_ || !webkit_web_view_get_is_web_process_responsive(view_);
    leaving_ = true;
    if (asked_ && IsConfirmation(webkit_script_dialog_get_dialog_type(asked_)))
        webkit_script_dialog_confirm_set_confirmed(asked_,
                                                   webkit_script_dialog_get_dialog_type(asked_) ==
                                                       WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM);
    CloseAskedDialog();
    return held;
}

int PageDialogs::OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, PageDialogs* self)
{
    // While the user leaves the page or is asked another of its dialogs, the page gets the default
    // answer and no second window; so do a prompt too long to show, and all as the program ends.
    if (self->leaving_ || self->asked_ || CutsPromptText(dialog) || ProgramEnding()) {
        self->AnswerLater(dialog);
        return TRUE;
    }
    self->asked_ = webkit_script_dialog_ref(dialog);
    self->turn_ = self->boxes_.AwaitTurn([self] { self->Show(); });
    return TRUE;
}

void PageDialogs::Show()
{
    if (ProgramEnding()) {
        CloseAskedDialog();
        return;
    }
    shown_.emplace(boxes_);
    const WebKitScriptDialogType type = webkit_script_dialog_get_dialog_type(asked_);
    const bool asks = type != WEBKIT_SCRIPT_DIALOG_ALERT;
    box_ = std::make_unique<Gtk::MessageDialog>(ShownMessage(asked_), false,
                                                asks ? Gtk::MESSAGE_QUESTION : Gtk::MESSAGE_INFO,
                                                Gtk::BUTTONS_NONE, false);
    box_->set_title(ToUString(texts::PageMessageTitle));
    BreakLongWords(*box_);
    const bool leaving = type == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM;
    if (asks)
        box_->add_button(ToUString(leaving ? texts::StayButton : texts::CancelButton),
                         Gtk::RESPONSE_CANCEL);
    box_->add_button(ToUString(leaving ? texts::LeaveButton : texts::OkButton), Gtk::RESPONSE_OK);
    box_->set_default_response(Gtk::RESPONSE_OK);
    promptEntry_ = nullptr;
    if (type == WEBKIT_SCRIPT_DIALOG_PROMPT) {
        promptEntry_ = Gtk::make_managed<Gtk::Entry>();
        promptEntry_->set_text(webkit_script_dialog_prompt_get_default_text(asked_));
        promptEntry_->set_activates_default(true);
        box_->get_message_area()->pack_start(*promptEntry_);
        promptEntry_->show();
    }
    if (Gtk::Window* parent = WindowOf(view_)) {
        box_->set_transient_for(*parent);
        box_->set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
    }
    box_->signal_response().connect(sigc::mem_fun(*this, &PageDialogs::OnBoxResponse));
    box_->show();
}

void PageDialogs::OnBoxResponse(int response)
{
    if (!asked_)
        return;
    const WebKitScriptDialogType type = webkit_script_dialog_get_dialog_type(asked_);
    const bool accepted = response == Gtk::RESPONSE_OK;
    if (IsConfirmation(type))
        webkit_script_dialog_confirm_set_confirmed(asked_, accepted);
    if (type == WEBKIT_SCRIPT_DIALOG_PROMPT && accepted && promptEntry_)
        webkit_script_dialog_prompt_set_text(asked_, promptEntry_->get_text().c_str());
    CloseAskedDialog();
}

void PageDialogs::CloseAskedDialog()
{
    // Hidden, not destroyed: this may run inside the box's own handler.
    if (box_)
        box_->hide();
    shown_.reset();
    turn_.reset();
    if (!asked_)
        return;
    webkit_script_dialog_close(asked_);
    webkit_script_dialog_unref(asked_);
    asked_ = nullptr;
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

int PageDialogs::OnPrint(WebKitWebView*, WebKitPrintOperation*, PageDialogs* self)
{
    // WebKit's own print operation would hold the page until answered: the page's print is
    // asked for once it has handled the user's action it came from, or never.
    if (!ProgramEnding())
        self->activation_.AskWithinUsersAction(self->view_,
                                               sigc::mem_fun(*self, &PageDialogs::AskToPrint));
    return TRUE;
}

void PageDialogs::AskToPrint()
{
    printTurn_ = boxes_.AwaitTurn([this] { Print(); });
}

void PageDialogs::Print()
{
    Gtk::Window* parent = WindowOf(view_);
    if (ProgramEnding() || !parent)
        return;
    WebKitPrintOperation* operation = webkit_print_operation_new(view_);
    MainUseDesktop::OpenBox open(boxes_);
    // The dialog's loop may see the page's window go: nothing of this guard is used after it.
    if (webkit_print_operation_run_dialog(operation, parent->gobj()) ==
        WEBKIT_PRINT_OPERATION_RESPONSE_PRINT)
        g_signal_connect(operation, "finished", G_CALLBACK(g_object_unref), nullptr);
    else
        g_object_unref(operation);
}

void PageDialogs::OnLoadChanged(WebKitWebView*, int loadEvent, PageDialogs* self)
{
    // A new page asks the user afresh, and the print the page left asked for goes with it.
    if (loadEvent != WEBKIT_LOAD_COMMITTED)
        return;
    self->leaving_ = false;
    self->printTurn_.reset();
}

void PageDialogs::OnWebProcessTerminated(WebKitWebView*, int, PageDialogs* self)
{
    self->CloseAskedDialog();
}

}  // namespace quillomat
