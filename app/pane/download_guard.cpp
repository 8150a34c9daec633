#include "app/pane/download_guard.h"

#include <glibmm/fileutils.h>
#include <glibmm/miscutils.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <set>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "app/look/main_loop_wait.h"
#include "app/look/ustring.h"
#include "app/pane/download_guard_texts.h"
#include "app/pane/signal_link.h"
#include "app/pane/view_window.h"
#include "browser/download_file_name.h"
#include "main_use/program_end.h"

namespace quillomat {

namespace texts = download_guard_texts;

namespace {

// WebKit writes a download beside its destination under this name, and renames it once whole.
constexpr char WebKitPartSuffix[] = ".wkdownload";
constexpr std::chrono::seconds EndOfDownloads{5};

std::set<DownloadGuard*> guards;

std::string OfferedName(const char* suggested)
{
    const std::string name = SafeDownloadName(suggested ? suggested : "");
    return name.empty() ? std::string(texts::UnnamedFile) : name;
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
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_NETWORK))
        reason = texts::ConnectionLost;
    else if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_DESTINATION))
        reason = texts::NotWritable;
    return std::string(reason) + "\n(" + error->message + ")";
}

std::string DescribeErrno(int error)
{
    return std::string(texts::NotWritable) + "\n(" + g_strerror(error) + ")";
}

// The partial file and what WebKit writes beside it, which no end of the program may leave.
std::array<std::string, 2> PartFiles(const std::string& partFile)
{
    return {partFile, partFile + WebKitPartSuffix};
}

void RemovePartFiles(const std::string& partFile)
{
    for (const std::string& file : PartFiles(partFile)) {
        std::remove(file.c_str());
        UnlistRunFile(file);
    }
}

}  // namespace

DownloadGuard::DownloadGuard(WebKitWebView* paneView, MainUseDesktop& boxes)
    : paneView_(WEBKIT_WEB_VIEW(g_object_ref(paneView))),
      context_(WEBKIT_WEB_CONTEXT(g_object_ref(webkit_web_view_get_context(paneView)))),
      boxes_(boxes)
{
    ConnectWhileAlive<&DownloadGuard::OnStarted>(context_, "download-started", this);
    guards.insert(this);
}

DownloadGuard::~DownloadGuard()
{
    guards.erase(this);
    chooserBox_.reset();
    // Taken out first: a cancel's signals find nothing left to conclude.
    for (auto& [download, transfer] : std::exchange(transfers_, {})) {
        webkit_download_cancel(download);
        if (!transfer.partFile.empty())
            RemovePartFiles(transfer.partFile);
        g_object_unref(download);
    }
    g_object_unref(context_);
    g_object_unref(paneView_);
}

void DownloadGuard::EndAllDownloads()
{
    std::vector<WebKitDownload*> downloads;
    for (DownloadGuard* guard : guards)
        for (const auto& [download, transfer] : guard->transfers_)
            downloads.push_back(WEBKIT_DOWNLOAD(g_object_ref(download)));
    if (downloads.empty())
        return;
    for (WebKitDownload* download : downloads) {
        webkit_download_cancel(download);
        g_object_unref(download);
    }
    // Each cancel is over once WebKit reports the download finished: its network process has
    // stopped writing and removed what it wrote.
    const auto ended = [] {
        return std::none_of(guards.begin(), guards.end(),
                            [](DownloadGuard* guard) { return !guard->transfers_.empty(); });
    };
    RunMainLoopUntil(ended, EndOfDownloads);
}

void DownloadGuard::OnStarted(WebKitWebContext*, WebKitDownload* download, DownloadGuard* guard)
{
    if (ProgramEnding()) {
        webkit_download_cancel(download);
        return;
    }
    guard->transfers_[WEBKIT_DOWNLOAD(g_object_ref(download))];
    ConnectWhileAlive<&DownloadGuard::OnDecideDestination>(download, "decide-destination", guard);
    ConnectWhileAlive<&DownloadGuard::OnFailed>(download, "failed", guard);
    ConnectWhileAlive<&DownloadGuard::OnFinished>(download, "finished", guard);
}

int DownloadGuard::OnDecideDestination(WebKitDownload* download, char* suggestedName,
                                       DownloadGuard* guard)
{
    const auto transfer = guard->transfers_.find(download);
    if (transfer == guard->transfers_.end())
        return FALSE;
    transfer->second.fileName = OfferedName(suggestedName);
    auto turn = guard->boxes_.AwaitTurn([guard, download] { guard->Ask(download); });
    // Asking may have ended the download already.
    if (const auto waiting = guard->transfers_.find(download); waiting != guard->transfers_.end())
        waiting->second.turn = std::move(turn);
    // Answered once the user has chosen: until then the download waits, writing nothing.
    return TRUE;
}

void DownloadGuard::Ask(WebKitDownload* download)
{
    // Over the page that asked, a pop-up's for instance, while it is on screen.
    Gtk::Window* parent = WindowOf(paneView_);
    if (WebKitWebView* view = webkit_download_get_web_view(download))
        if (Gtk::Window* window = WindowOf(view); window && window->get_visible())
            parent = window;
    const auto transfer = transfers_.find(download);
    // Nobody to ask: a pane out of any window, or a program that ends.
    if (!parent || ProgramEnding() || transfer == transfers_.end()) {
        webkit_download_cancel(download);
        return;
    }
    transfer->second.asked = true;
    asking_ = download;
    chooser_ = std::make_unique<Gtk::FileChooserDialog>(*parent, ToUString(texts::SaveAsTitle),
                                                        Gtk::FILE_CHOOSER_ACTION_SAVE);
    chooser_->add_button(ToUString(texts::CancelButton), Gtk::RESPONSE_CANCEL);
    chooser_->add_button(ToUString(texts::SaveButton), Gtk::RESPONSE_ACCEPT);
    chooser_->set_default_response(Gtk::RESPONSE_ACCEPT);
    chooser_->set_do_overwrite_confirmation(true);
    chooser_->set_local_only(true);
    chooser_->set_modal(true);
    chooser_->set_current_folder(StartFolder());
    chooser_->set_current_name(ToUString(transfer->second.fileName));
    chooser_->signal_response().connect(sigc::mem_fun(*this, &DownloadGuard::OnChooserResponse));
    chooserBox_.emplace(boxes_);
    chooser_->present();
}

void DownloadGuard::OnChooserResponse(int response)
{
    WebKitDownload* download = std::exchange(asking_, nullptr);
    const std::string target = response == Gtk::RESPONSE_ACCEPT ? chooser_->get_filename() : "";
    chooser_->hide();
    chooserBox_.reset();
    if (!download)
        return;
    if (target.empty() || ProgramEnding()) {
        webkit_download_cancel(download);
        return;
    }
    Transfer& transfer = transfers_.at(download);
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
    for (const std::string& file : PartFiles(partFile))
        ListRunFile(file);
    webkit_download_set_allow_overwrite(download, TRUE);
    webkit_download_set_destination(download, partFile.c_str());
}

void DownloadGuard::OnFailed(WebKitDownload* download, GError* error, DownloadGuard* guard)
{
    const auto transfer = guard->transfers_.find(download);
    if (transfer == guard->transfers_.end())
        return;
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER))
        transfer->second.cancelled = true;
    else if (transfer->second.failure.empty())
        transfer->second.failure = Describe(error);
}

void DownloadGuard::OnFinished(WebKitDownload* download, DownloadGuard* guard)
{
    const auto found = guard->transfers_.find(download);
    if (found == guard->transfers_.end())
        return;
    if (download == guard->asking_) {
        guard->asking_ = nullptr;
        guard->chooser_->hide();
        guard->chooserBox_.reset();
    }
    const Transfer transfer = std::move(guard->transfers_.extract(found).mapped());
    g_object_unref(download);

    std::string failure = transfer.failure;
    const bool complete = !transfer.partFile.empty() && !transfer.cancelled && failure.empty();
    if (complete && std::rename(transfer.partFile.c_str(), transfer.target.c_str()) != 0)
        failure = DescribeErrno(errno);
    // Once renamed, nothing is left of them to remove.
    if (!transfer.partFile.empty())
        RemovePartFiles(transfer.partFile);

    // Downloads cancelled by the user, or lost before the user was asked, end without a word.
    Gtk::Window* parent = WindowOf(guard->paneView_);
    if (parent && transfer.asked && !failure.empty())
        guard->notice_.Show(*parent, texts::NotSavedMessage(transfer.fileName, failure),
                            MessageIcon::Error);
    else if (parent && complete)
        guard->notice_.Show(*parent, texts::SavedMessage(transfer.target),
                            MessageIcon::Information);
}

}  // namespace quillomat
