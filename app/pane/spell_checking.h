#pragma once

typedef struct _WebKitWebView WebKitWebView;

namespace quillomat {

// The aids to writing in French in the page of `view`: WebKit underlines misspelt words and the
// page's menu offers the corrections first. The dictionary is opened at the user's first key or
// click in a page: opened with the context, it held the main window back 100 ms of 220
// (bench/startup_driver); where it is missing, nothing is checked and nothing said. The menu
// speaks GTK's French for the same actions: WebKit's spelling captions say something else, and
// its others are English where the C library translates nothing (Debian 13 under C.UTF-8).
void HelpWritingInFrench(WebKitWebView* view);

}  // namespace quillomat
