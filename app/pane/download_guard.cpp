#include "app/pane/download_guard.h"

#include <glibmm/fileutils.h>
#include <glibmm/miscutils.h>
#include <webkit2/webkit2.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include "app/desktop/active_window.h"
#include "app/look/ustring.h"
#include "app/pane/download_guard_texts.h"
#include "browser/download_file_name.h"

namespace quillomat {

namespace texts = download_guard_texts;

namespace {

std::string OfferedName(const char* suggested)
{
    const std::string name = SafeDownloadName(suggested ? suggested : "");
    return name.empty() ? std::string(texts::UnnamedFile) : name;
}

// The window of the page that started the download, else the one the user works in.
Gtk::Window* OwnerWindow(WebKitDownload* download)
{
    if (WebKitWebView* view = webkit_download_get_web_view(download)) {
        GtkWidget* toplevel = gtk_widget_get_toplevel(GTK_WIDGET(view));
        if (GTK_IS_WINDOW(toplevel) && gtk_widget_is_toplevel(toplevel))
            return Glib::wrap(GTK_WINDOW(toplevel));
    }
    return ActiveWindow();
}

std::string StartFolder()
{
    const char* downloads = g_get_user_special_dir(G_USER_DIRECTORY_DOWNLOAD);
    if (downloads && Glib::file_test(downloads, Glib::FILE_TEST_IS_DIR))
        return downloads;
    return Glib::get_home_dir();
}

std::string Describe(const GError* error)
{
    std::string_view reason = texts::DownloadFailed;
    if (error->domain == WEBKIT_DOWNLOAD_ERROR && error->code == WEBKIT_DOWNLOAD_ERROR_NETWORK)
        reason = texts::ConnectionLost;
    else if (error->domain == WEBKIT_DOWNLOAD_ERROR &&
             error->code == WEBKIT_DOWNLOAD_ERROR_DESTINATION)
        reason = texts::NotWritable;
    return std::string(reason) + "\n(" + error->message + ")";
}

std::string DescribeErrno(int error)
{
    return std::string(texts::NotWritable) + "\n(" + g_strerror(error) + ")";
}

}  // namespace

DownloadGuard::DownloadGuard(WebKitWebContext* context)
    : context_(WEBKIT_WEB_CONTEXT(g_object_ref(context)))
{
    g_signal_connect(context_, "download-started", G_CALLBACK(&DownloadGuard::OnStarted), this);
}

DownloadGuard::~DownloadGuard()
{
    g_signal_handlers_disconnect_by_data(context_, this);
    for (auto& [download, transfer] : transfers_) {
        g_signal_handlers_disconnect_by_data(download, this);
        webkit_download_cancel(download);
        if (!transfer.partFile.empty())
            std::remove(transfer.partFile.c_str());
        g_object_unref(download);
    }
    g_object_unref(context_);
}

void DownloadGuard::OnStarted(WebKitWebContext*, WebKitDownload* download, DownloadGuard* guard)
{
    guard->transfers_[WEBKIT_DOWNLOAD(g_object_ref(download))];
    g_signal_connect(download, "decide-destination",
                     G_CALLBACK(&DownloadGuard::OnDecideDestination), guard);
    g_signal_connect(download, "failed", G_CALLBACK(&DownloadGuard::OnFailed), guard);
    g_signal_connect(download, "finished", G_CALLBACK(&DownloadGuard::OnFinished), guard);
}

int DownloadGuard::OnDecideDestination(WebKitDownload* download, char* suggestedName,
                                       DownloadGuard* guard)
{
    if (guard->asking_)
        webkit_download_cancel(download);
    else
        guard->Ask(download, OfferedName(suggestedName));
    // Answered once the user has chosen: until then the download waits, writing nothing.
    return TRUE;
}

void DownloadGuard::Ask(WebKitDownload* download, const std::string& fileName)
{
    transfers_[download].fileName = fileName;
    asking_ = download;
    Gtk::Window* owner = OwnerWindow(download);
    chooser_ = owner ? std::make_unique<Gtk::FileChooserDialog>(
                           *owner, ToUString(texts::SaveAsTitle), Gtk::FILE_CHOOSER_ACTION_SAVE)
                     : std::make_unique<Gtk::FileChooserDialog>(ToUString(texts::SaveAsTitle),
                                                                Gtk::FILE_CHOOSER_ACTION_SAVE);
    chooser_->add_button(ToUString(texts::CancelButton), Gtk::RESPONSE_CANCEL);
    chooser_->add_button(ToUString(texts::SaveButton), Gtk::RESPONSE_ACCEPT);
    chooser_->set_default_response(Gtk::RESPONSE_ACCEPT);
    chooser_->set_do_overwrite_confirmation(true);
    chooser_->set_local_only(true);
    chooser_->set_modal(true);
    chooser_->set_current_folder(StartFolder());
    chooser_->set_current_name(ToUString(fileName));
    chooser_->signal_response().connect(sigc::mem_fun(*this, &DownloadGuard::OnChooserResponse));
    chooser_->present();
}

void DownloadGuard::OnChooserResponse(int response)
{
    WebKitDownload* download = std::exchange(asking_, nullptr);
    const std::string target = response == Gtk::RESPONSE_ACCEPT ? chooser_->get_filename() : "";
    chooser_->hide();
    if (!download)
        return;
    if (target.empty())
        webkit_download_cancel(download);
    else
        Start(download, target);
}

void DownloadGuard::Start(WebKitDownload* download, const std::string& target)
{
    Transfer& transfer = transfers_[download];
    transfer.target = target;
    std::string partFile =
        Glib::build_filename(Glib::path_get_dirname(target), ".quillomat-XXXXXX.part");
    // The name is ours alone from here on, so WebKit may write over it.
    const int descriptor = g_mkstemp_full(partFile.data(), O_RDWR | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        transfer.failure = DescribeErrno(errno);
        webkit_download_cancel(download);
        return;
    }
    close(descriptor);
    transfer.partFile = partFile;
    webkit_download_set_allow_overwrite(download, TRUE);
    webkit_download_set_destination(download, partFile.c_str());
}

void DownloadGuard::OnFailed(WebKitDownload* download, GError* error, DownloadGuard* guard)
{
    Transfer& transfer = guard->transfers_[download];
    if (error->domain == WEBKIT_DOWNLOAD_ERROR &&
        error->code == WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER)
        transfer.cancelled = true;
    else if (transfer.failure.empty())
        transfer.failure = Describe(error);
}

void DownloadGuard::OnFinished(WebKitDownload* download, DownloadGuard* guard)
{
    guard->Conclude(download);
}

void DownloadGuard::Conclude(WebKitDownload* download)
{
    if (download == asking_) {
        asking_ = nullptr;
        chooser_->hide();
    }
    g_signal_handlers_disconnect_by_data(download, this);
    const Transfer transfer = std::move(transfers_.extract(download).mapped());
    g_object_unref(download);

    std::string failure = transfer.failure;
    const bool complete = !transfer.partFile.empty() && !transfer.cancelled && failure.empty();
    if (complete && std::rename(transfer.partFile.c_str(), transfer.target.c_str()) != 0)
        failure = DescribeErrno(errno);
    if (!transfer.partFile.empty() && !(complete && failure.empty()))
        std::remove(transfer.partFile.c_str());

    // Downloads refused, cancelled by the user or lost before the user was asked end without
    // a word.
    const bool asked = !transfer.fileName.empty();
    if (asked && !failure.empty())
        Tell(texts::NotSavedMessage(transfer.fileName, failure), MessageIcon::Error);
    else if (complete)
        Tell(texts::SavedMessage(transfer.target), MessageIcon::Information);
}

void DownloadGuard::Tell(const std::string& text, MessageIcon icon)
{
    notice_.Show(ActiveWindow(), text, icon);
}

}  // namespace quillomat
