#pragma once

#include <map>
#include <string>
#include <vector>

typedef struct _SoupServer SoupServer;
typedef struct _SoupServerMessage SoupServerMessage;

namespace quillomat::testing {

// The blog service on 127.0.0.1, the pane's HTTP proxy: every plain-HTTP request, whatever the
// host, gets the answer registered or a 404 page while the thread-default GMainContext runs.
// Addresses compare with scheme and host in lower case, no default port, "/" for an empty path,
// no fragment, the query byte for byte; a second answer replaces the first; a bad address throws.
class LoopbackSite {
public:
    struct Request {
        std::string method;   // "GET", "POST", ...
        std::string address;  // in the compared form
        std::string body;     // as received (a form's data)
    };

    LoopbackSite();
    ~LoopbackSite();
    LoopbackSite(const LoopbackSite&) = delete;
    LoopbackSite& operator=(const LoopbackSite&) = delete;

    // "http://127.0.0.1:PORT"
    std::string ProxyAddress() const;

    // 200 and `html`, whatever the method, so that a form may post to it.
    void AddPage(const std::string& address, const std::string& html);
    // 302 Found to `location` for GET and HEAD, 303 See Other for a form's POST.
    void AddRedirect(const std::string& address, const std::string& location);
    // 200 and `content` as a file to save ("Content-Disposition: attachment").
    void AddDownload(const std::string& address, const std::string& fileName,
                     const std::string& content);
    // 204 No Content: an answer without a page.
    void AddNoContent(const std::string& address);
    // 401 asking for a user name and password, then, once the browser sends any, 200 and `html`.
    void AddLogInPage(const std::string& address, const std::string& html);

    // Requests for `address` are answered at the next ReleaseHeldAnswers(), as by a slow server.
    void HoldAnswersTo(const std::string& address);
    void ReleaseHeldAnswers();

    // Every request so far, in arrival order; a browser may ask for more, such as "/favicon.ico".
    const std::vector<Request>& Requests() const { return requests_; }
    bool WasRequested(const std::string& address) const;

private:
    enum class Kind { Page, Redirect, Download, NoContent, LogIn };
    struct Route {
        Kind kind;
        std::string content = {};   // the page, the redirect's target or the file
        std::string fileName = {};  // of a download
    };

    void Answer(SoupServerMessage* msg);

    SoupServer* server_ = nullptr;
    unsigned port_ = 0;
    std::map<std::string, Route> routes_;
    std::vector<Request> requests_;
    std::vector<std::string> heldAddresses_;
    std::vector<SoupServerMessage*> heldAnswers_;
};

}  // namespace quillomat::testing
