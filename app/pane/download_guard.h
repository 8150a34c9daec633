#pragma once

#include <map>
#include <memory>
#include <string>

#include <gtkmm/filechooserdialog.h>

#include "app/desktop/notice_window.h"

typedef struct _WebKitWebContext WebKitWebContext;
typedef struct _WebKitDownload WebKitDownload;
typedef struct _GError GError;

namespace quillomat {

// Lets the pages of a web context save files only where the user chooses. Each download first
// asks with a save dialog, and while one is open further downloads are refused, so that a page
// cannot bury the user under dialogs. The file is written under a temporary name beside the
// chosen one and takes its place only once complete: a failed or cancelled download never
// harms a file already there. A notice that does not wait for the user tells how it ended.
class DownloadGuard {
public:
    explicit DownloadGuard(WebKitWebContext* context);
    ~DownloadGuard();
    DownloadGuard(const DownloadGuard&) = delete;
    DownloadGuard& operator=(const DownloadGuard&) = delete;

private:
    struct Transfer {
        std::string fileName;  // as the page named it
        std::string target;    // chosen by the user; empty until then
        std::string partFile;  // the temporary name beside the target
        std::string failure;   // why it failed, in French; empty while all goes well
        bool cancelled = false;
    };

    static void OnStarted(WebKitWebContext* context, WebKitDownload* download,
                          DownloadGuard* guard);
    static int OnDecideDestination(WebKitDownload* download, char* suggestedName,
                                   DownloadGuard* guard);
    static void OnFailed(WebKitDownload* download, GError* error, DownloadGuard* guard);
    static void OnFinished(WebKitDownload* download, DownloadGuard* guard);

    void Ask(WebKitDownload* download, const std::string& fileName);
    void OnChooserResponse(int response);
    void Start(WebKitDownload* download, const std::string& target);
    void Conclude(WebKitDownload* download);
    void Tell(const std::string& text, MessageIcon icon);

    WebKitWebContext* context_;
    std::map<WebKitDownload*, Transfer> transfers_;
    // The download the save dialog asks about, or none while the dialog is closed.
    WebKitDownload* asking_ = nullptr;
    std::unique_ptr<Gtk::FileChooserDialog> chooser_;
    NoticeWindow notice_;
};

}  // namespace quillomat
