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
// browsers decide it: while it handles an event by which the user activates it (the main mouse
// button, a key, a touch), not from a timer. A script of the program's own, in a script world the
// page cannot reach, tells when the page begins and ends handling each such event; what it asked
// for meanwhile is granted once it has ended. WebKit tells nothing of the page's activation
// (PrintTest.APagePrintsOnlyFromTheUsersOwnAction).
class PageActivation : public sigc::trackable {
public:
    // The watch over the pages of `view` and of the windows they open (its user content manager).
    static PageActivation& Of(WebKitWebView* view);

    PageActivation(const PageActivation&) = delete;
    PageActivation& operator=(const PageActivation&) = delete;

    // `grant` runs from the main loop once the page of `view` has handled the user's action under
    // way in it; never without one, nor for a second request within it.
    void AskWithinUsersAction(WebKitWebView* view, sigc::slot<void()> grant);
    // Raised with the view whose page the user begins to activate.
    sigc::signal<void(WebKitWebView*)>& signal_user_acted() { return userActed_; }

private:
    explicit PageActivation(WebKitUserContentManager* manager);
    ~PageActivation();
    static void OnWord(WebKitUserContentManager* manager, WebKitJavascriptResult* message,
                       PageActivation* self);
    static void OnPassage(WebKitURISchemeRequest* request, void* data);
    void Pass(const std::string& word, WebKitURISchemeRequest* request);
    void GiveUpPassage(const std::string& word);
    void Grant();

    // What the script said ("start ID", "end ID") before its passage came, and the passages
    // that came before what the script said.
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
