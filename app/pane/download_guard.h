#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include <gtkmm/filechooserdialog.h>
#include <sigc++/trackable.h>

#include "app/desktop/notice_window.h"
#include "main_use/main_use_desktop.h"

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitWebContext WebKitWebContext;
typedef struct _WebKitDownload WebKitDownload;
typedef struct _GError GError;

namespace quillomat {

// Saves a download of the pane's web context only where the user chooses, in a save dialog that
// waits its turn among the program's boxes over the page that asked. The file is written under a
// temporary name beside the chosen one and takes its place only once whole, so that no ending
// harms a file already there or leaves a partial one; a notice tells how it ended.
class DownloadGuard : public sigc::trackable {
public:
    // The downloads of `paneView`'s web context, its pop-ups' included; `boxes` outlives the guard.
    DownloadGuard(WebKitWebView* paneView, MainUseDesktop& boxes);
    // Cancels the downloads still under way and removes their partial files.
    ~DownloadGuard();
    DownloadGuard(const DownloadGuard&) = delete;
    DownloadGuard& operator=(const DownloadGuard&) = delete;

    // For the end of the program: cancels every guard's downloads and waits, a few seconds at
    // most, until WebKit has stopped writing them and their partial files are gone.
    static void EndAllDownloads();

private:
    struct Transfer {
        std::string fileName;  // as offered to the user
        bool asked = false;
        std::string target;    // chosen by the user; empty until then
        std::string partFile;  // the temporary name beside the target
        std::string failure;   // why it failed, in French; empty while all goes well
        bool cancelled = false;
        std::unique_ptr<MainUseDesktop::Turn> turn;
    };

    static void OnStarted(WebKitWebContext* context, WebKitDownload* download,
                          DownloadGuard* guard);
    static int OnDecideDestination(WebKitDownload* download, char* suggestedName,
                                   DownloadGuard* guard);
    static void OnFailed(WebKitDownload* download, GError* error, DownloadGuard* guard);
    static void OnFinished(WebKitDownload* download, DownloadGuard* guard);

    void Ask(WebKitDownload* download);
    void OnChooserResponse(int response);

    WebKitWebView* paneView_;
    WebKitWebContext* context_;
    MainUseDesktop& boxes_;
    std::map<WebKitDownload*, Transfer> transfers_;
    // The download the save dialog asks about, or none while the dialog is closed.
    WebKitDownload* asking_ = nullptr;
    std::unique_ptr<Gtk::FileChooserDialog> chooser_;
    std::optional<MainUseDesktop::OpenBox> chooserBox_;
    NoticeWindow notice_;
};

}  // namespace quillomat
