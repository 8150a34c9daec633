#include "tests/support/loopback_site.h"

#include <gio/gio.h>
#include <libsoup/soup.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>

namespace quillomat::testing {
namespace {

constexpr const char HtmlType[] = "text/html; charset=utf-8";

// The parsing rules SoupServer applies to request lines, so that an address registered by a test
// and the address of a request are normalised alike (dot segments, percent-encoding, port).
constexpr GUriFlags ParseFlags =
    GUriFlags(G_URI_FLAGS_HAS_PASSWORD | G_URI_FLAGS_ENCODED_PATH | G_URI_FLAGS_ENCODED_QUERY |
              G_URI_FLAGS_ENCODED_FRAGMENT | G_URI_FLAGS_SCHEME_NORMALIZE);

struct GFreeDeleter {
    void operator()(void* p) const { g_free(p); }
};
using GCharPtr = std::unique_ptr<char, GFreeDeleter>;

std::string Lower(const char* text)
{
    GCharPtr lowered(g_ascii_strdown(text ? text : "", -1));
    return lowered.get();
}

bool IsDefaultPort(const std::string& scheme, int port)
{
    return port <= 0 || (scheme == "http" && port == 80) || (scheme == "https" && port == 443);
}

// scheme://host[:port]/path[?query], no user info, no fragment.
std::string FormatUri(GUri* uri)
{
    const std::string scheme = Lower(g_uri_get_scheme(uri));
    const std::string host = Lower(g_uri_get_host(uri));
    const int port = g_uri_get_port(uri);
    const char* path = g_uri_get_path(uri);
    if (path == nullptr || *path == '\0')
        path = "/";
    GCharPtr joined(g_uri_join(G_URI_FLAGS_ENCODED, scheme.c_str(), nullptr, host.c_str(),
                               IsDefaultPort(scheme, port) ? -1 : port, path, g_uri_get_query(uri),
                               nullptr));
    return joined.get();
}

std::string EscapeHtml(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void Respond(SoupServerMessage* msg, guint status, const std::string& html,
             const char* type = HtmlType)
{
    soup_server_message_set_status(msg, status, nullptr);
    SoupMessageHeaders* headers = soup_server_message_get_response_headers(msg);
    // One request per connection: nothing lingers once a test is done, and the browser cannot
    // hold a connection open across sites.
    soup_message_headers_replace(headers, "Connection", "close");
    soup_message_headers_replace(headers, "Cache-Control", "no-store");
    soup_server_message_set_response(msg, type, SOUP_MEMORY_COPY, html.data(), html.size());
    soup_message_headers_set_content_length(headers, html.size());
}

}  // namespace

std::string LoopbackSite::NormalizeAddress(const std::string& address)
{
    GError* error = nullptr;
    GUri* uri = g_uri_parse(address.c_str(), ParseFlags, &error);
    if (uri == nullptr) {
        std::string message = "not an absolute address: \"" + address + "\"";
        if (error != nullptr) {
            message += std::string(" (") + error->message + ")";
            g_error_free(error);
        }
        throw std::invalid_argument(message);
    }
    const char* host = g_uri_get_host(uri);
    if (host == nullptr || *host == '\0') {
        g_uri_unref(uri);
        throw std::invalid_argument("address without a host: \"" + address + "\"");
    }
    std::string normalized = FormatUri(uri);
    g_uri_unref(uri);
    return normalized;
}

LoopbackSite::LoopbackSite()
{
    server_ = soup_server_new("server-header", "quillomat-loopback-site", nullptr);
    if (server_ == nullptr)
        throw std::runtime_error("soup_server_new failed");

    soup_server_add_handler(server_, nullptr, &LoopbackSite::HandleRequest, this, nullptr);

    GInetAddress* loopback = g_inet_address_new_loopback(G_SOCKET_FAMILY_IPV4);
    GSocketAddress* bindAddress = g_inet_socket_address_new(loopback, 0);
    g_object_unref(loopback);
    GError* error = nullptr;
    const gboolean listening =
        soup_server_listen(server_, bindAddress, static_cast<SoupServerListenOptions>(0), &error);
    g_object_unref(bindAddress);
    if (!listening) {
        std::string message = "cannot listen on 127.0.0.1";
        if (error != nullptr) {
            message += std::string(": ") + error->message;
            g_error_free(error);
        }
        g_object_unref(server_);
        server_ = nullptr;
        throw std::runtime_error(message);
    }

    // The port from the listening socket itself: soup_server_get_uris makes libsoup 3.2 cache
    // an address it never frees.
    GSList* listeners = soup_server_get_listeners(server_);
    if (listeners != nullptr) {
        GSocketAddress* local =
            g_socket_get_local_address(static_cast<GSocket*>(listeners->data), nullptr);
        if (local != nullptr) {
            port_ = g_inet_socket_address_get_port(G_INET_SOCKET_ADDRESS(local));
            g_object_unref(local);
        }
    }
    g_slist_free(listeners);
    if (port_ == 0) {
        soup_server_disconnect(server_);
        g_object_unref(server_);
        server_ = nullptr;
        throw std::runtime_error("cannot determine the listening port");
    }
}

LoopbackSite::~LoopbackSite()
{
    ReleaseHeldAnswers();
    if (server_ == nullptr)
        return;
    soup_server_remove_handler(server_, nullptr);
    soup_server_disconnect(server_);
    g_object_unref(server_);
    server_ = nullptr;
}

unsigned LoopbackSite::Port() const
{
    return port_;
}

std::string LoopbackSite::ProxyAddress() const
{
    return "http://127.0.0.1:" + std::to_string(port_);
}

std::string LoopbackSite::DirectAddress() const
{
    return ProxyAddress() + "/";
}

void LoopbackSite::AddPage(const std::string& address, const std::string& html)
{
    routes_[NormalizeAddress(address)] = Route{false, html, {}};
}

void LoopbackSite::AddRedirect(const std::string& address, const std::string& location)
{
    routes_[NormalizeAddress(address)] = Route{true, location, {}};
}

void LoopbackSite::AddDownload(const std::string& address, const std::string& fileName,
                               const std::string& content)
{
    routes_[NormalizeAddress(address)] = Route{false, content, fileName};
}

void LoopbackSite::AddNoContent(const std::string& address)
{
    routes_[NormalizeAddress(address)] = Route{false, "", {}, true};
}

void LoopbackSite::AddLogInPage(const std::string& address, const std::string& html)
{
    Route route{false, html, {}};
    route.logIn = true;
    routes_[NormalizeAddress(address)] = route;
}

void LoopbackSite::HoldAnswersTo(const std::string& address)
{
    heldAddresses_.push_back(NormalizeAddress(address));
}

void LoopbackSite::ReleaseHeldAnswers()
{
    heldAddresses_.clear();
    for (SoupServerMessage* msg : heldAnswers_) {
        soup_server_message_unpause(msg);
        g_object_unref(msg);
    }
    heldAnswers_.clear();
}

const std::vector<LoopbackSite::Request>& LoopbackSite::Requests() const
{
    return requests_;
}

bool LoopbackSite::WasRequested(const std::string& address) const
{
    const std::string key = NormalizeAddress(address);
    return std::any_of(requests_.begin(), requests_.end(),
                       [&key](const Request& r) { return r.address == key; });
}

void LoopbackSite::HandleRequest(SoupServer* /*server*/, SoupServerMessage* msg,
                                 const char* /*path*/, GHashTable* /*query*/, void* userData)
{
    static_cast<LoopbackSite*>(userData)->Answer(msg);
}

void LoopbackSite::Answer(SoupServerMessage* msg)
{
    Request request;
    request.method = soup_server_message_get_method(msg);

    GUri* uri = soup_server_message_get_uri(msg);
    request.address = FormatUri(uri);

    SoupMessageBody* body = soup_server_message_get_request_body(msg);
    if (body != nullptr) {
        GBytes* bytes = soup_message_body_flatten(body);
        gsize size = 0;
        const char* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
        if (data != nullptr)
            request.body.assign(data, size);
        g_bytes_unref(bytes);
    }

    const std::string method = request.method;
    const std::string address = request.address;
    requests_.push_back(std::move(request));

    if (std::find(heldAddresses_.begin(), heldAddresses_.end(), address) != heldAddresses_.end()) {
        // The answer below goes out when the message is unpaused.
        soup_server_message_pause(msg);
        heldAnswers_.push_back(static_cast<SoupServerMessage*>(g_object_ref(msg)));
    }

    if (method == "CONNECT") {
        // Tunnels (https) are not served: fail fast instead of hanging.
        Respond(msg, SOUP_STATUS_FORBIDDEN,
                "<!DOCTYPE html><html><body><h1>403</h1><p>Tunnels are not "
                "served by the loopback site.</p></body></html>");
        return;
    }

    const auto route = routes_.find(address);
    if (route == routes_.end()) {
        Respond(msg, SOUP_STATUS_NOT_FOUND,
                "<!DOCTYPE html><html><head><title>404 Not Found</title></head>"
                "<body><h1>Not Found</h1><p>" +
                    EscapeHtml(address) + "</p></body></html>");
        return;
    }

    if (route->second.noContent) {
        soup_server_message_set_status(msg, SOUP_STATUS_NO_CONTENT, nullptr);
        soup_message_headers_replace(soup_server_message_get_response_headers(msg), "Connection",
                                     "close");
        return;
    }

    if (route->second.logIn && !soup_message_headers_get_one(
                                   soup_server_message_get_request_headers(msg), "Authorization")) {
        Respond(msg, SOUP_STATUS_UNAUTHORIZED, "<p>Identification</p>");
        soup_message_headers_replace(soup_server_message_get_response_headers(msg),
                                     "WWW-Authenticate", "Basic realm=\"blog\"");
        return;
    }

    if (!route->second.fileName.empty()) {
        Respond(msg, SOUP_STATUS_OK, route->second.content, "application/octet-stream");
        const std::string disposition = "attachment; filename=\"" + route->second.fileName + "\"";
        soup_message_headers_replace(soup_server_message_get_response_headers(msg),
                                     "Content-Disposition", disposition.c_str());
        return;
    }
    if (!route->second.redirect) {
        Respond(msg, SOUP_STATUS_OK, route->second.content);
        return;
    }

    const std::string& location = route->second.content;
    const bool safeMethod = method == "GET" || method == "HEAD";
    Respond(msg, safeMethod ? SOUP_STATUS_FOUND : SOUP_STATUS_SEE_OTHER,
            "<!DOCTYPE html><html><body><a href=\"" + EscapeHtml(location) +
                "\">moved</a></body></html>");
    soup_message_headers_replace(soup_server_message_get_response_headers(msg), "Location",
                                 location.c_str());
}

}  // namespace quillomat::testing
