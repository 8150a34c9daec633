// Test-only web site served on 127.0.0.1.
//
// The browser pane under test is pointed at this server as its HTTP proxy
// ("http://127.0.0.1:PORT"), so every plain-HTTP request it makes, whatever
// the host, arrives here in absolute form and is answered from the pages and
// redirects registered by the test.  The server can also be addressed
// directly ("http://127.0.0.1:PORT/...").
//
// Everything runs on the thread-default GMainContext of the thread that
// constructs the site; the test has to iterate that context (see
// main_loop_wait.h) for requests to be answered.  No threads are started.
#pragma once

#include <map>
#include <string>
#include <vector>

typedef struct _SoupServer SoupServer;
typedef struct _SoupServerMessage SoupServerMessage;
typedef struct _GHashTable GHashTable;

namespace quillomat::testing {

class LoopbackSite {
public:
    struct Request {
        std::string method;   // "GET", "POST", ...
        std::string address;  // "http://host/path?query", port kept unless 80
        std::string body;     // request body as received (POST form data)
    };

    // Listens on 127.0.0.1 on an ephemeral port.  Throws std::runtime_error
    // when the socket cannot be opened.
    LoopbackSite();
    // Disconnects every client and stops listening.
    ~LoopbackSite();

    LoopbackSite(const LoopbackSite&) = delete;
    LoopbackSite& operator=(const LoopbackSite&) = delete;

    unsigned Port() const;
    // "http://127.0.0.1:PORT"
    std::string ProxyAddress() const;
    // "http://127.0.0.1:PORT/" — the site's own root, for direct requests.
    std::string DirectAddress() const;

    // Answers requests for |address| ("http://host/path?query"; a missing
    // path means "/", a fragment is ignored) with 200 and |html|.  Any method
    // is answered with the page, so a form may post to it.  Registering the
    // same address again replaces the earlier page or redirect.
    // Throws std::invalid_argument for an address that is not an absolute URI.
    void AddPage(const std::string& address, const std::string& html);

    // Answers requests for |address| with a redirect to |location| (sent
    // verbatim in the Location header): 302 Found for GET/HEAD, 303 See Other
    // for any other method (e.g. a form POST).
    void AddRedirect(const std::string& address, const std::string& location);

    // Answers requests for |address| with 204 No Content: an answer without a page.
    void AddNoContent(const std::string& address);

    // Requests for |address| get their answer only at the next ReleaseHeldAnswers(), as from a
    // slow server; until then the browser waits.
    void HoldAnswersTo(const std::string& address);
    void ReleaseHeldAnswers();

    // Every request answered so far, in arrival order.  Unregistered
    // addresses are recorded too (they get a 404 page); note that a browser
    // may ask for extra resources such as "/favicon.ico".
    const std::vector<Request>& Requests() const;

    // Whether any request (any method) was made for |address|, compared after
    // the same normalisation as AddPage.
    bool WasRequested(const std::string& address) const;

    // Canonical form used for keys and for Request::address: lower-case scheme
    // and host, default port dropped, empty path turned into "/", fragment
    // dropped, query kept byte for byte.  Throws std::invalid_argument.
    static std::string NormalizeAddress(const std::string& address);

private:
    struct Route {
        bool redirect = false;
        std::string content;  // html, or the redirect target
        bool noContent = false;
    };

    static void HandleRequest(SoupServer* server, SoupServerMessage* msg, const char* path,
                              GHashTable* query, void* user_data);
    void Answer(SoupServerMessage* msg);

    SoupServer* server_ = nullptr;
    unsigned port_ = 0;
    std::map<std::string, Route> routes_;
    std::vector<Request> requests_;
    std::vector<std::string> heldAddresses_;
    std::vector<SoupServerMessage*> heldAnswers_;
};

}  // namespace quillomat::testing
