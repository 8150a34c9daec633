#pragma once

#include <map>
#include <string>
#include <vector>

typedef struct _SoupServer SoupServer;
typedef struct _SoupServerMessage SoupServerMessage;
typedef struct _GHashTable GHashTable;

namespace quillomat::testing {

// A web site on 127.0.0.1 that stands for the blog service. The browser pane under test takes it
// as its HTTP proxy ("http://127.0.0.1:PORT"), so every plain-HTTP request it makes, whatever the
// host, arrives here in absolute form and is answered from the pages and redirects the test
// registered; it also answers direct requests ("http://127.0.0.1:PORT/..."). It runs on the
// thread-default GMainContext of the thread that made it, which the test iterates
// (main_loop_wait.h) for requests to be answered; no thread is started.
class LoopbackSite {
public:
    struct Request {
        std::string method;   // "GET", "POST", ...
        std::string address;  // "http://host/path?query", port kept unless 80
        std::string body;     // request body as received (POST form data)
    };

    // Listens on 127.0.0.1 on a port the system picks. Throws std::runtime_error when the
    // socket cannot be opened.
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

    // Answers requests for `address` ("http://host/path?query"; a missing path means "/", a
    // fragment is ignored) with 200 and `html`, whatever the method, so that a form may post to
    // it. Registering an address again replaces its page or redirect. Throws
    // std::invalid_argument for an address that is not an absolute URI.
    void AddPage(const std::string& address, const std::string& html);

    // Answers requests for `address` with a redirect to `location` (sent as it stands in the
    // Location header): 302 Found for GET and HEAD, 303 See Other for any other method (a form's
    // POST).
    void AddRedirect(const std::string& address, const std::string& location);

    // Answers requests for `address` with 200 and `content` as a file to save:
    // "Content-Disposition: attachment" with `fileName`.
    void AddDownload(const std::string& address, const std::string& fileName,
                     const std::string& content);

    // Answers requests for `address` with 204 No Content: an answer without a page.
    void AddNoContent(const std::string& address);

    // Answers requests for `address` with 401 and a request for a user name and password, then,
    // once the browser sends any, with 200 and `html`.
    void AddLogInPage(const std::string& address, const std::string& html);

    // Requests for `address` get their answer only at the next ReleaseHeldAnswers(), as from a
    // slow server; until then the browser waits.
    void HoldAnswersTo(const std::string& address);
    void ReleaseHeldAnswers();

    // Every request answered so far, in arrival order, unregistered addresses too (they get a
    // 404 page); a browser may ask for more, such as "/favicon.ico".
    const std::vector<Request>& Requests() const;

    // Whether any request (any method) was made for `address`, compared after the same
    // normalisation as AddPage.
    bool WasRequested(const std::string& address) const;

    // The form of registered addresses and of Request::address: lower-case scheme and host,
    // default port dropped, an empty path made "/", fragment dropped, query kept byte for byte.
    // Throws std::invalid_argument.
    static std::string NormalizeAddress(const std::string& address);

private:
    struct Route {
        bool redirect = false;
        std::string content;   // html, the redirect target, or the file
        std::string fileName;  // set for a download
        bool noContent = false;
        bool logIn = false;
    };

    static void HandleRequest(SoupServer* server, SoupServerMessage* msg, const char* path,
                              GHashTable* query, void* userData);
    void Answer(SoupServerMessage* msg);

    SoupServer* server_ = nullptr;
    unsigned port_ = 0;
    std::map<std::string, Route> routes_;
    std::vector<Request> requests_;
    std::vector<std::string> heldAddresses_;
    std::vector<SoupServerMessage*> heldAnswers_;
};

}  // namespace quillomat::testing
