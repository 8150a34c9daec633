#pragma once

typedef struct _WebKitWebView WebKitWebView;

namespace quillomat {

// The aids to writing in French in the page of `view`. Spell-checking as the user writes: WebKit
// underlines misspelt words and the page's menu offers the corrections first. The dictionary is
// opened at the user's first key or click in a page: opened with the context, it held the main
// window back 100 ms of 220 (bench/startup_driver); where it is missing, pages are not checked and
// nothing is said. The page's menu speaks French, in GTK's words for the same actions: WebKit's
// captions of the spelling entries say something else, and its others come in English where the C
// library translates nothing (Debian 13 in a C.UTF-8 desktop without the French locale).
void HelpWritingInFrench(WebKitWebView* view);

}  // namespace quillomat
