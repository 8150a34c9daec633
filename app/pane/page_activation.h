#pragma once

#include <sigc++/functors/slot.h>
#include <sigc++/signal.h>
#include <sigc++/trackable.h>

#include <map>
#include <set>
#include <string>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitUserContentManager WebKitUserContentManager;
typedef struct _WebKitJavascriptResult WebKitJavascriptResult;
typedef struct _WebKitURISchemeRequest WebKitURISchemeRequest;

namespace quillomat {

// Whether a page asks for something (to print) as part of the user's own action in it, as
// browsers decide it: the user activated the page (the main mouse button, a key, a touch: an
// event the page cannot fake, which gives it transient activation) and the page asked while it
// handled that event, not from a timer it set up before. A script of the program's own, in a
// script world of its own that the page cannot reach, tells when a page begins and ends
// handling each such event; what the page asked for meanwhile is granted once it has ended.
// WebKit tells nothing of the page's activation (PrintTest.APagePrintsOnlyFromTheUsersOwnAction).
class PageActivation : public sigc::trackable {
public:
    // The watch over the pages of `view` and of the windows they open, which share its user
    // content manager.
    static PageActivation& Of(WebKitWebView* view);

    PageActivation(const PageActivation&) = delete;
    PageActivation& operator=(const PageActivation&) = delete;

    // `grant` runs from the main loop once the page of `view` has handled the user's action
    // under way in it, if one is; otherwise, or when another request of this action came first,
    // never.
    void AskWithinUsersAction(WebKitWebView* view, sigc::slot<void()> grant);
    // Raised with the view whose page the user begins to activate.
    sigc::signal<void(WebKitWebView*)>& signal_user_acted() { return userActed_; }

private:
    explicit PageActivation(WebKitUserContentManager* manager);
    ~PageActivation();
    static void Free(void* activation);
    static void OnWord(WebKitUserContentManager* manager, WebKitJavascriptResult* message,
                       PageActivation* self);
    static void OnPassage(WebKitURISchemeRequest* request, void* data);
    void Pass(const std::string& word, WebKitURISchemeRequest* request);
    void GiveUpPassage(const std::string& word);
    void Grant();

    // What the script said ("start ID", "end ID") that its passage has not reached yet, and the
    // passages that wait for what the script says.
    std::set<std::string> said_;
    std::map<std::string, WebKitURISchemeRequest*> waiting_;
    // The user's action a page handles now, and that page's view; empty outside one.
    std::string handling_;
    WebKitWebView* handlingView_ = nullptr;
    // The action within which the request waiting to be granted came.
    std::string askedWithin_;
    sigc::slot<void()> grant_;
    sigc::signal<void(WebKitWebView*)> userActed_;
};

}  // namespace quillomat
