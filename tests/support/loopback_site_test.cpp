#include "loopback_site.h"
#include "main_loop_wait.h"

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

constexpr milliseconds kFetchTimeout{5000};

struct Reply {
    bool completed = false;
    std::string error;  // transport error, empty when a response arrived
    guint status = 0;
    std::string body;
    std::optional<std::string> content_type;
    std::optional<std::string> content_length;
    std::optional<std::string> location;
    std::string final_uri;
};

struct FetchState {
    bool done = false;
    GBytes* bytes = nullptr;
    GError* error = nullptr;
};

void OnFetched(GObject* session, GAsyncResult* result, gpointer user_data)
{
    auto* state = static_cast<FetchState*>(user_data);
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
    // |proxy| empty: talk to hosts directly (environment proxies ignored).
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

    Reply Fetch(const std::string& method, const std::string& url,
                const std::string& form_body = {}, bool follow_redirects = true)
    {
        Reply reply;
        SoupMessage* msg = soup_message_new(method.c_str(), url.c_str());
        if (msg == nullptr) {
            reply.error = "bad url " + url;
            return reply;
        }
        if (!follow_redirects)
            soup_message_add_flags(msg, SOUP_MESSAGE_NO_REDIRECT);
        if (!form_body.empty()) {
            GBytes* body = g_bytes_new(form_body.data(), form_body.size());
            soup_message_set_request_body_from_bytes(msg, "application/x-www-form-urlencoded",
                                                     body);
            g_bytes_unref(body);
        }
        FetchState state;
        soup_session_send_and_read_async(session_, msg, G_PRIORITY_DEFAULT, nullptr, &OnFetched,
                                         &state);
        reply.completed = RunMainLoopUntil([&] { return state.done; }, kFetchTimeout);
        if (!reply.completed) {
            // Cancel and let the callback run so |state| is not left dangling.
            soup_session_abort(session_);
            RunMainLoopUntil([&] { return state.done; }, kFetchTimeout);
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
        reply.content_type = Header(headers, "Content-Type");
        reply.content_length = Header(headers, "Content-Length");
        reply.location = Header(headers, "Location");
        char* final_uri = g_uri_to_string(soup_message_get_uri(msg));
        reply.final_uri = final_uri;
        g_free(final_uri);
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
    EXPECT_EQ(reply.content_type, "text/html; charset=utf-8");
    EXPECT_EQ(reply.content_length, std::to_string(html.size()));
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
    EXPECT_EQ(reply.final_uri, "http://www.skyblog.com/welcome");
    ASSERT_EQ(site_.Requests().size(), 2u);
    EXPECT_EQ(site_.Requests()[0].address, "http://skyrock.com/m/");
    EXPECT_EQ(site_.Requests()[1].address, "http://www.skyblog.com/welcome");
}

TEST_F(LoopbackSiteTest, RedirectStatusDependsOnMethod)
{
    site_.AddRedirect("http://skyrock.com/login", "/admBloger/");

    const Reply get = browser_.Fetch("GET", "http://skyrock.com/login", {},
                                     /*follow_redirects=*/false);
    EXPECT_EQ(get.status, 302u);
    EXPECT_EQ(get.location, "/admBloger/");
    EXPECT_EQ(get.content_type, "text/html; charset=utf-8");
    EXPECT_EQ(get.content_length, std::to_string(get.body.size()));

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
    EXPECT_EQ(reply.content_type, "text/html; charset=utf-8");
    EXPECT_EQ(reply.content_length, std::to_string(reply.body.size()));
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

TEST(RunMainLoopUntil, ReturnsTrueAtOnceWhenConditionAlreadyHolds)
{
    int calls = 0;
    EXPECT_TRUE(RunMainLoopUntil([&] { return ++calls > 0; }, milliseconds(0)));
    EXPECT_EQ(calls, 1);
}

TEST(RunMainLoopUntil, DispatchesThreadDefaultSourcesUntilConditionHolds)
{
    bool fired = false;
    GSource* source = g_timeout_source_new(30);
    g_source_set_callback(
        source,
        [](gpointer data) -> gboolean {
            *static_cast<bool*>(data) = true;
            return G_SOURCE_REMOVE;
        },
        &fired, nullptr);
    GMainContext* context = g_main_context_ref_thread_default();
    g_source_attach(source, context);
    g_main_context_unref(context);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(RunMainLoopUntil([&] { return fired; }, milliseconds(5000)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(2000));
    g_source_destroy(source);
    g_source_unref(source);
}

TEST(RunMainLoopUntil, GivesUpAfterTimeoutWithoutBlocking)
{
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(RunMainLoopUntil([] { return false; }, milliseconds(80)));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, milliseconds(80));
    EXPECT_LT(elapsed, milliseconds(1500));
}

TEST(RunMainLoopUntil, NoticesConditionChangedWithoutAnyEvent)
{
    const auto start = std::chrono::steady_clock::now();
    // Nothing is dispatched; only the passing time makes this true.
    EXPECT_TRUE(RunMainLoopUntil(
        [&] { return std::chrono::steady_clock::now() - start > milliseconds(50); },
        milliseconds(3000)));
    EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(1500));
}

}  // namespace
}  // namespace quillomat::testing
