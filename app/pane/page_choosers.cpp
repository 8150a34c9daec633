#include "app/pane/page_choosers.h"

#include <gdkmm/rgba.h>
#include <glibmm/main.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <utility>

#include "app/look/ustring.h"
#include "app/pane/page_dialogs_texts.h"
#include "app/pane/signal_link.h"
#include "app/pane/view_window.h"
#include "main_use/program_end.h"

namespace quillomat {

namespace texts = page_dialogs_texts;

namespace {

// WebKit's log-in dialog, which it lays over the page as a child of the view.
GtkWidget* LogInDialogOf(WebKitWebView* view)
{
    GtkWidget* found = nullptr;
    gtk_container_forall(
        GTK_CONTAINER(view),
        [](GtkWidget* child, void* found) {
            if (g_str_equal(G_OBJECT_TYPE_NAME(child), "WebKitAuthenticationDialog"))
                *static_cast<GtkWidget**>(found) = child;
        },
        &found);
    return found;
}

}  // namespace

PageChoosers::PageChoosers(WebKitWebView* view, MainUseDesktop& boxes) : view_(view), boxes_(boxes)
{
    ConnectWhileAlive<&PageChoosers::OnRunFileChooser>(view_, "run-file-chooser", this);
    ConnectWhileAlive<&PageChoosers::OnRunColorChooser>(view_, "run-color-chooser", this);
    ConnectWhileAlive<&PageChoosers::OnAuthenticate>(view_, "authenticate", this);
}

PageChoosers::~PageChoosers()
{
    EndColourRequest();
}

int PageChoosers::OnRunFileChooser(WebKitWebView*, WebKitFileChooserRequest* request,
                                   PageChoosers* self)
{
    if (ProgramEnding()) {
        webkit_file_chooser_request_cancel(request);
        return TRUE;
    }
    // WebKit asks again only once it has given up the previous request.
    std::shared_ptr<WebKitFileChooserRequest> held(
        WEBKIT_FILE_CHOOSER_REQUEST(g_object_ref(request)), g_object_unref);
    self->fileTurn_ = self->boxes_.AwaitTurn([self, held] { self->ShowFileChooser(held.get()); });
    return TRUE;
}

// WebKit's own chooser, modal over the page's window, holds the request until it is answered.
void PageChoosers::ShowFileChooser(WebKitFileChooserRequest* request)
{
    if (ProgramEnding())
        webkit_file_chooser_request_cancel(request);
    else if (WEBKIT_WEB_VIEW_GET_CLASS(view_)->run_file_chooser(view_, request))
        g_object_weak_ref(
            G_OBJECT(request),
            [](gpointer box, GObject*) { delete static_cast<MainUseDesktop::OpenBox*>(box); },
            new MainUseDesktop::OpenBox(boxes_));
}

int PageChoosers::OnRunColorChooser(WebKitWebView*, WebKitColorChooserRequest* request,
                                    PageChoosers* self)
{
    self->EndColourRequest();
    if (ProgramEnding()) {
        webkit_color_chooser_request_cancel(request);
        return TRUE;
    }
    self->colourRequest_ = WEBKIT_COLOR_CHOOSER_REQUEST(g_object_ref(request));
    // Also when the page takes its field away.
    ConnectWhileAlive<&PageChoosers::OnColorRequestFinished>(request, "finished", self);
    self->colourTurn_ = self->boxes_.AwaitTurn([self] { self->ShowColourChooser(); });
    return TRUE;
}

void PageChoosers::ShowColourChooser()
{
    Gtk::Window* parent = WindowOf(view_);
    if (ProgramEnding() || !parent) {
        OnColourChooserResponse(Gtk::RESPONSE_CANCEL);
        return;
    }
    GdkRGBA initial;
    webkit_color_chooser_request_get_rgba(colourRequest_, &initial);
    // GTK's own dialog and title, as for the swatches' colours.
    colourChooser_ = std::make_unique<Gtk::ColorChooserDialog>();
    colourChooser_->set_use_alpha(false);
    colourChooser_->set_rgba(Glib::wrap(&initial, true));
    colourChooser_->set_modal(true);
    colourChooser_->set_transient_for(*parent);
    colourChooser_->signal_response().connect(
        sigc::mem_fun(*this, &PageChoosers::OnColourChooserResponse));
    colourBox_.emplace(boxes_);
    colourChooser_->present();
}

void PageChoosers::OnColourChooserResponse(int response)
{
    WebKitColorChooserRequest* request = colourRequest_;
    if (!request)
        return;
    // Either answer ends the request through "finished".
    if (colourChooser_ && response == Gtk::RESPONSE_OK) {
        const Gdk::RGBA chosen = colourChooser_->get_rgba();
        webkit_color_chooser_request_set_rgba(request, chosen.gobj());
        webkit_color_chooser_request_finish(request);
    } else {
        webkit_color_chooser_request_cancel(request);
    }
    EndColourRequest();
}

void PageChoosers::OnColorRequestFinished(WebKitColorChooserRequest* request, PageChoosers* self)
{
    if (request == self->colourRequest_)
        self->EndColourRequest();
}

void PageChoosers::EndColourRequest()
{
    colourTurn_.reset();
    if (colourChooser_)
        colourChooser_->hide();
    colourBox_.reset();
    if (WebKitColorChooserRequest* request = std::exchange(colourRequest_, nullptr))
        g_object_unref(request);
}

int PageChoosers::OnAuthenticate(WebKitWebView*, WebKitAuthenticationRequest* request,
                                 PageChoosers* self)
{
    if (ProgramEnding()) {
        webkit_authentication_request_cancel(request);
        return TRUE;
    }
    // WebKit's own dialog asks, laid over the page: a box all the same for as long as it stands.
    if (!self->logInBox_)
        self->logInBox_.emplace(self->boxes_);
    Glib::signal_idle().connect_once(sigc::mem_fun(*self, &PageChoosers::FollowLogInDialog));
    return FALSE;
}

void PageChoosers::FollowLogInDialog()
{
    GtkWidget* dialog = LogInDialogOf(view_);
    if (dialog && dialog == logInDialog_)
        return;
    logInDialog_ = dialog;
    if (!dialog)
        logInBox_.reset();
    else
        ConnectWhileAlive<&PageChoosers::OnLogInDialogGone>(dialog, "destroy", this);
}

void PageChoosers::OnLogInDialogGone(GtkWidget* dialog, PageChoosers* self)
{
    // One that WebKit put in its place asks on.
    if (dialog != self->logInDialog_)
        return;
    self->logInDialog_ = nullptr;
    self->logInBox_.reset();
}

}  // namespace quillomat
