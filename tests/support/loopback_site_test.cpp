#include "tests/support/loopback_site.h"
#include "tests/support/main_loop_wait.h"

#include <gio/gio.h>
#include <gtest/gtest.h>
#include <libsoup/soup.h>

#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace quillomat::testing {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds FetchTimeout{5000};

struct Reply {
    bool completed = false;
    std::string error;  // transport error, empty when a response arrived
    guint status = 0;
    std::string body;
    std::optional<std::string> contentType;
    std::optional<std::string> contentLength;
    std::optional<std::string> location;
    std::string finalUri;
};

struct FetchState {
    bool done = false;
    GBytes* bytes = nullptr;
    GError* error = nullptr;
};

void OnFetched(GObject* session, GAsyncResult* result, gpointer userData)
{
    auto* state = static_cast<FetchState*>(userData);
    state->bytes = soup_session_send_and_read_finish(SOUP_SESSION(session), result, &state->error);
    state->done = true;
}

std::optional<std::string> Header(SoupMessageHeaders* headers, const char* name)
{
    const char* value = soup_message_headers_get_one(headers, name);
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

class SessionOwner {
public:
    // An empty `proxy`: talk to hosts directly, whatever the environment says.
    explicit SessionOwner(const std::string& proxy)
    {
        GProxyResolver* resolver =
            g_simple_proxy_resolver_new(proxy.empty() ? nullptr : proxy.c_str(), nullptr);
        session_ = soup_session_new_with_options("proxy-resolver", resolver, nullptr);
        g_object_unref(resolver);
    }
    ~SessionOwner()
    {
        soup_session_abort(session_);
        g_object_unref(session_);
    }
    SessionOwner(const SessionOwner&) = delete;
    SessionOwner& operator=(const SessionOwner&) = delete;

    Reply Fetch(const std::string& method, const std::string& url, const std::string& formBody = {},
                bool followRedirects = true)
    {
        Reply reply;
        SoupMessage* msg = soup_message_new(method.c_str(), url.c_str());
        if (msg == nullptr) {
            reply.error = "bad url " + url;
            return reply;
        }
        if (!followRedirects)
            soup_message_add_flags(msg, SOUP_MESSAGE_NO_REDIRECT);
        if (!formBody.empty()) {
            GBytes* body = g_bytes_new(formBody.data(), formBody.size());
            soup_message_set_request_body_from_bytes(msg, "application/x-www-form-urlencoded",
                                                     body);
            g_bytes_unref(body);
        }
        FetchState state;
        soup_session_send_and_read_async(session_, msg, G_PRIORITY_DEFAULT, nullptr, &OnFetched,
                                         &state);
        reply.completed = RunMainLoopUntil([&] { return state.done; }, FetchTimeout);
        if (!reply.completed) {
            // Cancel, and let the callback run so that `state` is not left dangling.
            soup_session_abort(session_);
            RunMainLoopUntil([&] { return state.done; }, FetchTimeout);
        }
        if (state.error != nullptr) {
            reply.error = state.error->message;
            g_error_free(state.error);
        }
        if (state.bytes != nullptr) {
            gsize size = 0;
            const char* data = static_cast<const char*>(g_bytes_get_data(state.bytes, &size));
            if (data != nullptr)
                reply.body.assign(data, size);
            g_bytes_unref(state.bytes);
        }
        reply.status = soup_message_get_status(msg);
        SoupMessageHeaders* headers = soup_message_get_response_headers(msg);
        reply.contentType = Header(headers, "Content-Type");
        reply.contentLength = Header(headers, "Content-Length");
        reply.location = Header(headers, "Location");
        char* finalUri = g_uri_to_string(soup_message_get_uri(msg));
        reply.finalUri = finalUri;
        g_free(finalUri);
        g_object_unref(msg);
        return reply;
    }

private:
    SoupSession* session_ = nullptr;
};

class LoopbackSiteTest : public ::testing::Test {
protected:
    LoopbackSite site_;
    SessionOwner browser_{site_.ProxyAddress()};
};

TEST_F(LoopbackSiteTest, ListensOnLoopbackEphemeralPort)
{
    EXPECT_GT(site_.Port(), 0u);
    EXPECT_EQ(site_.ProxyAddress(), "http://127.0.0.1:" + std::to_string(site_.Port()));
    LoopbackSite other;
    EXPECT_NE(other.Port(), site_.Port());
}

TEST_F(LoopbackSiteTest, ServesPageForForeignHostThroughProxy)
{
    const std::string html =
        "<!DOCTYPE html><html><body><p>Skyblog \xC3\xA9t\xC3\xA9</p></body></html>";
    site_.AddPage("http://www.skyblog.com/", html);

    const Reply reply = browser_.Fetch("GET", "http://www.skyblog.com/");

    ASSERT_TRUE(reply.completed);
    ASSERT_EQ(reply.error, "");
    EXPECT_EQ(reply.status, 200u);
    EXPECT_EQ(reply.body, html);
    EXPECT_EQ(reply.contentType, "text/html; charset=utf-8");
    EXPECT_EQ(reply.contentLength, std::to_string(html.size()));
    ASSERT_EQ(site_.Requests().size(), 1u);
    EXPECT_EQ(site_.Requests()[0].method, "GET");
    EXPECT_EQ(site_.Requests()[0].address, "http://www.skyblog.com/");
    EXPECT_EQ(site_.Requests()[0].body, "");
}

TEST_F(LoopbackSiteTest, AddressWithoutPathMeansRoot)
{
    site_.AddPage("http://www.skyblog.com", "<p>root</p>");

    const Reply reply = browser_.Fetch("GET", "http://www.skyblog.com/");

    EXPECT_EQ(reply.status, 200u);
    EXPECT_EQ(reply.body, "<p>root</p>");
    EXPECT_TRUE(site_.WasRequested("http://www.skyblog.com"));
    EXPECT_TRUE(site_.WasRequested("http://WWW.SkyBlog.com/"));
    EXPECT_TRUE(site_.WasRequested("http://www.skyblog.com:80/"));
    EXPECT_FALSE(site_.WasRequested("http://skyblog.com/"));
}

TEST_F(LoopbackSiteTest, RoutesByHostPathAndQuery)
{
    site_.AddPage("http://skyrock.com/admBloger/article.phtml?edit_article=1&id=123",
                  "<p>article 123</p>");
    site_.AddPage("http://skyrock.com/admBloger/article.phtml?edit_article=1&id=124",
                  "<p>article 124</p>");
    site_.AddPage("http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=123",
                  "<p>other host</p>");

    EXPECT_EQ(
        browser_.Fetch("GET", "http://skyrock.com/admBloger/article.phtml?edit_article=1&id=124")
            .body,
        "<p>article 124</p>");
    EXPECT_EQ(
        browser_.Fetch("GET", "http://skyrock.com/admBloger/article.phtml?edit_article=1&id=123")
            .body,
        "<p>article 123</p>");
    EXPECT_EQ(
        browser_
            .Fetch("GET", "http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=123")
            .body,
        "<p>other host</p>");
    EXPECT_EQ(browser_.Fetch("GET", "http://skyrock.com/admBloger/article.phtml").status, 404u);
    EXPECT_EQ(
        browser_.Fetch("GET", "http://skyrock.com/admBloger/article.phtml?id=123&edit_article=1")
            .status,
        404u);

    ASSERT_EQ(site_.Requests().size(), 5u);
    EXPECT_EQ(site_.Requests()[0].address,
              "http://skyrock.com/admBloger/article.phtml?edit_article=1&id=124");
    EXPECT_EQ(site_.Requests()[3].address, "http://skyrock.com/admBloger/article.phtml");
}

TEST_F(LoopbackSiteTest, RedirectIsFollowedToTheTarget)
{
    site_.AddRedirect("http://skyrock.com/m/", "http://www.skyblog.com/welcome");
    site_.AddPage("http://www.skyblog.com/welcome", "<p>welcome</p>");

    const Reply reply = browser_.Fetch("GET", "http://skyrock.com/m/");

    EXPECT_EQ(reply.status, 200u);
    EXPECT_EQ(reply.body, "<p>welcome</p>");
    EXPECT_EQ(reply.finalUri, "http://www.skyblog.com/welcome");
    ASSERT_EQ(site_.Requests().size(), 2u);
    EXPECT_EQ(site_.Requests()[0].address, "http://skyrock.com/m/");
    EXPECT_EQ(site_.Requests()[1].address, "http://www.skyblog.com/welcome");
}

TEST_F(LoopbackSiteTest, RedirectStatusDependsOnMethod)
{
    site_.AddRedirect("http://skyrock.com/login", "/admBloger/");

    const Reply get = browser_.Fetch("GET", "http://skyrock.com/login", {},
                                     /*followRedirects=*/false);
    EXPECT_EQ(get.status, 302u);
    EXPECT_EQ(get.location, "/admBloger/");
    EXPECT_EQ(get.contentType, "text/html; charset=utf-8");
    EXPECT_EQ(get.contentLength, std::to_string(get.body.size()));

    const Reply post = browser_.Fetch("POST", "http://skyrock.com/login", "user=a&pass=b", false);
    EXPECT_EQ(post.status, 303u);
    EXPECT_EQ(post.location, "/admBloger/");
}

TEST_F(LoopbackSiteTest, PostToPageReturnsPageAndRecordsBody)
{
    site_.AddPage("http://skyrock.com/admBloger/save.php", "<p>saved</p>");
    const std::string form = "title=Caf%C3%A9&text=a+b%0D%0Ac&id=123";

    const Reply reply = browser_.Fetch("POST", "http://skyrock.com/admBloger/save.php", form);

    EXPECT_EQ(reply.status, 200u);
    EXPECT_EQ(reply.body, "<p>saved</p>");
    ASSERT_EQ(site_.Requests().size(), 1u);
    EXPECT_EQ(site_.Requests()[0].method, "POST");
    EXPECT_EQ(site_.Requests()[0].address, "http://skyrock.com/admBloger/save.php");
    EXPECT_EQ(site_.Requests()[0].body, form);
}

TEST_F(LoopbackSiteTest, PostedFormIsRedirectedAndFollowedWithGet)
{
    site_.AddRedirect("http://skyrock.com/admBloger/save.php",
                      "http://skyrock.com/admBloger/list.php");
    site_.AddPage("http://skyrock.com/admBloger/list.php", "<p>list</p>");

    const Reply reply = browser_.Fetch("POST", "http://skyrock.com/admBloger/save.php", "a=1");

    EXPECT_EQ(reply.status, 200u);
    EXPECT_EQ(reply.body, "<p>list</p>");
    ASSERT_EQ(site_.Requests().size(), 2u);
    EXPECT_EQ(site_.Requests()[0].method, "POST");
    EXPECT_EQ(site_.Requests()[0].body, "a=1");
    EXPECT_EQ(site_.Requests()[1].method, "GET");
    EXPECT_EQ(site_.Requests()[1].address, "http://skyrock.com/admBloger/list.php");
}

TEST_F(LoopbackSiteTest, UnknownAddressGetsHtml404)
{
    const Reply reply = browser_.Fetch("GET", "http://nowhere.example/missing?q=1");

    ASSERT_EQ(reply.error, "");
    EXPECT_EQ(reply.status, 404u);
    EXPECT_EQ(reply.contentType, "text/html; charset=utf-8");
    EXPECT_EQ(reply.contentLength, std::to_string(reply.body.size()));
    EXPECT_NE(reply.body.find("<html>"), std::string::npos);
    EXPECT_TRUE(site_.WasRequested("http://nowhere.example/missing?q=1"));
    EXPECT_FALSE(site_.WasRequested("http://nowhere.example/missing"));
}

TEST_F(LoopbackSiteTest, LaterRegistrationReplacesEarlierOne)
{
    site_.AddRedirect("http://www.skyblog.com/", "http://skyrock.com/");
    site_.AddPage("http://www.skyblog.com/", "<p>now a page</p>");

    const Reply reply = browser_.Fetch("GET", "http://www.skyblog.com/");

    EXPECT_EQ(reply.status, 200u);
    EXPECT_EQ(reply.body, "<p>now a page</p>");
}

TEST_F(LoopbackSiteTest, AnswersDirectRequestsToItsOwnAddress)
{
    const std::string address = site_.ProxyAddress() + "/direct/page.html?x=1";
    site_.AddPage(address, "<p>direct</p>");
    SessionOwner direct("");

    const Reply reply = direct.Fetch("GET", address);

    EXPECT_EQ(reply.status, 200u);
    EXPECT_EQ(reply.body, "<p>direct</p>");
    ASSERT_EQ(site_.Requests().size(), 1u);
    EXPECT_EQ(site_.Requests()[0].address, address);
    EXPECT_EQ(site_.DirectAddress(), site_.ProxyAddress() + "/");
}

TEST_F(LoopbackSiteTest, RejectsAddressesThatAreNotAbsolute)
{
    EXPECT_THROW(site_.AddPage("www.skyblog.com/", "x"), std::invalid_argument);
    EXPECT_THROW(site_.AddRedirect("/relative", "/x"), std::invalid_argument);
    EXPECT_THROW(site_.WasRequested("no scheme"), std::invalid_argument);
}

TEST_F(LoopbackSiteTest, NormalizeAddressKeepsQueryBytes)
{
    EXPECT_EQ(LoopbackSite::NormalizeAddress("HTTP://Skyrock.COM:80"), "http://skyrock.com/");
    EXPECT_EQ(LoopbackSite::NormalizeAddress("http://a.b:8080/x?Q=%C3%A9&b#frag"),
              "http://a.b:8080/x?Q=%C3%A9&b");
    EXPECT_EQ(LoopbackSite::NormalizeAddress("http://a.b/x/../y"), "http://a.b/y");
}

TEST(LoopbackSiteLifetime, StopsListeningWhenDestroyed)
{
    std::string proxy;
    {
        LoopbackSite site;
        proxy = site.ProxyAddress();
        site.AddPage("http://www.skyblog.com/", "<p>up</p>");
        SessionOwner browser(proxy);
        ASSERT_EQ(browser.Fetch("GET", "http://www.skyblog.com/").status, 200u);
    }
    SessionOwner browser(proxy);
    const Reply reply = browser.Fetch("GET", "http://www.skyblog.com/");
    EXPECT_TRUE(reply.completed);
    EXPECT_NE(reply.status, 200u);
    EXPECT_NE(reply.error, "");
}

}  // namespace
}  // namespace quillomat::testing
