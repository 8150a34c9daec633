#include "tests/support/loopback_site.h"

#include <gio/gio.h>
#include <libsoup/soup.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace quillomat::testing {
namespace {

using GCharPtr = std::unique_ptr<char, decltype(&g_free)>;

std::string Lower(const char* text)
{
    return GCharPtr(g_ascii_strdown(text ? text : "", -1), &g_free).get();
}

// scheme://host[:port]/path[?query], as SoupServer parses request lines.
std::string FormatUri(GUri* uri)
{
    const std::string scheme = Lower(g_uri_get_scheme(uri));
    const int port = g_uri_get_port(uri);
    const bool defaultPort =
        port <= 0 || (scheme == "http" && port == 80) || (scheme == "https" && port == 443);
    const char* path = *g_uri_get_path(uri) ? g_uri_get_path(uri) : "/";
    return GCharPtr(g_uri_join(G_URI_FLAGS_ENCODED, scheme.c_str(), nullptr,
                               Lower(g_uri_get_host(uri)).c_str(), defaultPort ? -1 : port, path,
                               g_uri_get_query(uri), nullptr),
                    &g_free)
        .get();
}

std::string Normalize(const std::string& address)
{
    g_autoptr(GUri) uri = g_uri_parse(
        address.c_str(),
        GUriFlags(G_URI_FLAGS_HAS_PASSWORD | G_URI_FLAGS_ENCODED_PATH | G_URI_FLAGS_ENCODED_QUERY |
                  G_URI_FLAGS_ENCODED_FRAGMENT | G_URI_FLAGS_SCHEME_NORMALIZE),
        nullptr);
    if (!uri || !g_uri_get_host(uri) || !*g_uri_get_host(uri))
        throw std::invalid_argument("not an absolute address: \"" + address + "\"");
    return FormatUri(uri);
}

void Respond(SoupServerMessage* msg, guint status, const std::string& body,
             const char* type = "text/html; charset=utf-8")
{
    soup_server_message_set_status(msg, status, nullptr);
    SoupMessageHeaders* headers = soup_server_message_get_response_headers(msg);
    // One request per connection: nothing lingers after a test, nor is held open across sites.
    soup_message_headers_replace(headers, "Connection", "close");
    soup_message_headers_replace(headers, "Cache-Control", "no-store");
    if (status == SOUP_STATUS_NO_CONTENT)
        return;
    soup_server_message_set_response(msg, type, SOUP_MEMORY_COPY, body.data(), body.size());
    soup_message_headers_set_content_length(headers, body.size());
}

}  // namespace

LoopbackSite::LoopbackSite() : server_(soup_server_new("server-header", "loopback-site", nullptr))
{
    soup_server_add_handler(
        server_, nullptr,
        [](SoupServer*, SoupServerMessage* msg, const char*, GHashTable*, void* site) {
            static_cast<LoopbackSite*>(site)->Answer(msg);
        },
        this, nullptr);
    g_autoptr(GInetAddress) loopback = g_inet_address_new_loopback(G_SOCKET_FAMILY_IPV4);
    g_autoptr(GSocketAddress) address = g_inet_socket_address_new(loopback, 0);
    soup_server_listen(server_, address, SoupServerListenOptions(0), nullptr);
    // The port from the listening socket itself: soup_server_get_uris makes libsoup 3.2 cache
    // an address it never frees.
    GSList* listeners = soup_server_get_listeners(server_);
    g_autoptr(GSocketAddress) local =
        listeners ? g_socket_get_local_address(G_SOCKET(listeners->data), nullptr) : nullptr;
    g_slist_free(listeners);
    if (!local) {
        g_object_unref(server_);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = g_inet_socket_address_get_port(G_INET_SOCKET_ADDRESS(local));
}

LoopbackSite::~LoopbackSite()
{
    ReleaseHeldAnswers();
    soup_server_remove_handler(server_, nullptr);
    soup_server_disconnect(server_);
    g_object_unref(server_);
}

std::string LoopbackSite::ProxyAddress() const
{
    return "http://127.0.0.1:" + std::to_string(port_);
}

void LoopbackSite::AddPage(const std::string& address, const std::string& html)
{
    routes_[Normalize(address)] = {Kind::Page, html};
}

void LoopbackSite::AddRedirect(const std::string& address, const std::string& location)
{
    routes_[Normalize(address)] = {Kind::Redirect, location};
}

void LoopbackSite::AddDownload(const std::string& address, const std::string& fileName,
                               const std::string& content)
{
    routes_[Normalize(address)] = {Kind::Download, content, fileName};
}

void LoopbackSite::AddNoContent(const std::string& address)
{
    routes_[Normalize(address)] = {Kind::NoContent};
}

void LoopbackSite::AddLogInPage(const std::string& address, const std::string& html)
{
    routes_[Normalize(address)] = {Kind::LogIn, html};
}

void LoopbackSite::HoldAnswersTo(const std::string& address)
{
    heldAddresses_.push_back(Normalize(address));
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

bool LoopbackSite::WasRequested(const std::string& address) const
{
    return std::ranges::count(requests_, Normalize(address), &Request::address) > 0;
}

void LoopbackSite::Answer(SoupServerMessage* msg)
{
    const std::string method = soup_server_message_get_method(msg);
    const std::string address = FormatUri(soup_server_message_get_uri(msg));
    g_autoptr(GBytes) body = soup_message_body_flatten(soup_server_message_get_request_body(msg));
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(body, &size));
    requests_.push_back({method, address, data ? std::string(data, size) : ""});

    if (std::find(heldAddresses_.begin(), heldAddresses_.end(), address) != heldAddresses_.end()) {
        // The answer below goes out when the message is unpaused.
        soup_server_message_pause(msg);
        heldAnswers_.push_back(SOUP_SERVER_MESSAGE(g_object_ref(msg)));
    }
    SoupMessageHeaders* headers = soup_server_message_get_response_headers(msg);
    const auto found = routes_.find(address);
    if (method == "CONNECT") {
        // Tunnels (https) are not served: fail fast instead of hanging.
        Respond(msg, SOUP_STATUS_FORBIDDEN, "<p>403</p>");
    } else if (found == routes_.end()) {
        Respond(msg, SOUP_STATUS_NOT_FOUND, "<!DOCTYPE html><html><body>404</body></html>");
    } else if (const Route& route = found->second; route.kind == Kind::Page) {
        Respond(msg, SOUP_STATUS_OK, route.content);
    } else if (route.kind == Kind::Redirect) {
        const bool safe = method == "GET" || method == "HEAD";
        Respond(msg, safe ? SOUP_STATUS_FOUND : SOUP_STATUS_SEE_OTHER, "<p>moved</p>");
        soup_message_headers_replace(headers, "Location", route.content.c_str());
    } else if (route.kind == Kind::Download) {
        Respond(msg, SOUP_STATUS_OK, route.content, "application/octet-stream");
        soup_message_headers_replace(headers, "Content-Disposition",
                                     ("attachment; filename=\"" + route.fileName + "\"").c_str());
    } else if (route.kind == Kind::NoContent) {
        Respond(msg, SOUP_STATUS_NO_CONTENT, "");
    } else if (soup_message_headers_get_one(soup_server_message_get_request_headers(msg),
                                            "Authorization")) {
        Respond(msg, SOUP_STATUS_OK, route.content);
    } else {
        Respond(msg, SOUP_STATUS_UNAUTHORIZED, "<p>Identification</p>");
        soup_message_headers_replace(headers, "WWW-Authenticate", "Basic realm=\"blog\"");
    }
}

}  // namespace quillomat::testing
