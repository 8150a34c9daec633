// The loopback site answers as the window tests expect of it, asked through it as a proxy.
#include "tests/support/loopback_site.h"

#include <gio/gio.h>
#include <gtest/gtest.h>
#include <libsoup/soup.h>

#include "tests/support/main_loop_wait.h"

namespace quillomat::testing {
namespace {

using namespace std::chrono_literals;

const std::string Form = "titre=Caf%C3%A9&texte=a+b%0D%0Ac";
const std::string Article = "http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=";

struct Reply {
    guint status = 0;
    std::string body;
    SoupMessageHeaders* headers = nullptr;
    std::string error = {};
};

// One request through `proxy`, the answer as it came: redirects are not followed. A POST sends
// the form above.
Reply Fetch(const std::string& proxy, const std::string& method, const std::string& address)
{
    GProxyResolver* resolver = g_simple_proxy_resolver_new(proxy.c_str(), nullptr);
    SoupSession* session = soup_session_new_with_options("proxy-resolver", resolver, nullptr);
    g_object_unref(resolver);
    SoupMessage* msg = soup_message_new(method.c_str(), address.c_str());
    soup_message_add_flags(msg, SOUP_MESSAGE_NO_REDIRECT);
    if (method == "POST") {
        GBytes* form = g_bytes_new(Form.data(), Form.size());
        soup_message_set_request_body_from_bytes(msg, "application/x-www-form-urlencoded", form);
        g_bytes_unref(form);
    }
    struct Done {
        bool done = false;
        GBytes* bytes = nullptr;
        GError* error = nullptr;
    } done;
    soup_session_send_and_read_async(
        session, msg, G_PRIORITY_DEFAULT, nullptr,
        [](GObject* session, GAsyncResult* result, gpointer data) {
            auto* done = static_cast<Done*>(data);
            done->bytes =
                soup_session_send_and_read_finish(SOUP_SESSION(session), result, &done->error);
            done->done = true;
        },
        &done);
    if (!RunMainLoopUntil([&] { return done.done; }, 10s))
        soup_session_abort(session);
    RunMainLoopUntil([&] { return done.done; }, 10s);
    Reply reply{soup_message_get_status(msg), "",
                soup_message_headers_ref(soup_message_get_response_headers(msg))};
    if (done.bytes) {
        reply.body.assign(static_cast<const char*>(g_bytes_get_data(done.bytes, nullptr)),
                          g_bytes_get_size(done.bytes));
        g_bytes_unref(done.bytes);
    }
    reply.error = done.error ? done.error->message : "";
    g_clear_error(&done.error);
    g_object_unref(msg);
    g_object_unref(session);
    return reply;
}

struct SiteCase {
    const char* name;
    const char* method;
    std::string address;
    guint status;
    std::string body;              // what the answer holds
    const char* header = nullptr;  // a header of the answer, with...
    std::string value = {};        // ...its value
    std::string recorded{};        // the address as recorded, when not the same
};

void PrintTo(const SiteCase& c, std::ostream* out)
{
    *out << c.name;
}

class LoopbackSiteTest : public ::testing::TestWithParam<SiteCase> {
protected:
    void SetUp() override
    {
        site.AddPage("http://www.skyblog.com", "<p>Accueil</p>");
        site.AddPage("http://www.skyblog.com/liste", "<p>Liste été</p>");
        site.AddPage(Article + "123", "<p>Article 123</p>");
        site.AddPage(Article + "124", "<p>Article 124</p>");
        site.AddPage("http://skyrock.com/admBloger/article.phtml?edit_article=1&id=123",
                     "<p>Autre hôte</p>");
        site.AddRedirect("http://www.skyblog.com/suite", "http://skyrock.com/");
        site.AddRedirect("http://www.skyblog.com/remplacee", "http://skyrock.com/");
        site.AddPage("http://www.skyblog.com/remplacee", "<p>Page</p>");
        site.AddDownload("http://www.skyblog.com/notes", "notes.txt", "contenu");
        site.AddNoContent("http://www.skyblog.com/vide");
        site.AddLogInPage("http://www.skyblog.com/admBloger/", "<p>Bienvenue</p>");
    }

    LoopbackSite site;
};

TEST_P(LoopbackSiteTest, AnswersAsRegisteredAndRecordsTheRequest)
{
    const SiteCase& c = GetParam();
    const Reply reply = Fetch(site.ProxyAddress(), c.method, c.address);
    EXPECT_EQ(reply.error, "");
    EXPECT_EQ(reply.status, c.status);
    EXPECT_NE(reply.body.find(c.body), std::string::npos) << reply.body;
    if (c.header) {
        const char* value = soup_message_headers_get_one(reply.headers, c.header);
        EXPECT_EQ(value ? value : "(none)", c.value);
    }
    soup_message_headers_unref(reply.headers);
    ASSERT_EQ(site.Requests().size(), 1u);
    EXPECT_EQ(site.Requests()[0].method, c.method);
    EXPECT_EQ(site.Requests()[0].address, c.recorded.empty() ? c.address : c.recorded);
    EXPECT_EQ(site.Requests()[0].body, c.method == std::string("POST") ? Form : "");
    EXPECT_TRUE(site.WasRequested(c.address));
    EXPECT_FALSE(site.WasRequested("http://www.skyblog.com/ailleurs"));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LoopbackSiteTest,
    ::testing::Values(
        SiteCase{"APage", "GET", "http://www.skyblog.com/liste", 200, "<p>Liste été</p>",
                 "Content-Type", "text/html; charset=utf-8"},
        SiteCase{"CaseAndDefaultPortDoNotMatter", "GET", "http://WWW.SkyBlog.com:80", 200,
                 "<p>Accueil</p>", nullptr, "", "http://www.skyblog.com/"},
        SiteCase{"TheQueryChoosesThePage", "GET", Article + "124", 200, "<p>Article 124</p>"},
        SiteCase{"TheHostChoosesThePage", "GET",
                 "http://skyrock.com/admBloger/article.phtml?edit_article=1&id=123", 200,
                 "<p>Autre hôte</p>"},
        SiteCase{"TheQueryIsComparedAsItStands", "GET",
                 "http://www.skyblog.com/admBloger/article.phtml?id=123&edit_article=1", 404,
                 "<html>", "Content-Type", "text/html; charset=utf-8"},
        SiteCase{"AnyHostAnswers404", "GET", "http://nulle-part.example/page?q=1", 404, "<html>"},
        SiteCase{"AFormPostedToAPage", "POST", "http://www.skyblog.com/liste", 200,
                 "<p>Liste été</p>"},
        SiteCase{"ARedirect", "GET", "http://www.skyblog.com/suite", 302, "", "Location",
                 "http://skyrock.com/"},
        SiteCase{"AFormPostedToARedirect", "POST", "http://www.skyblog.com/suite", 303, "",
                 "Location", "http://skyrock.com/"},
        SiteCase{"TheLastRegistrationHolds", "GET", "http://www.skyblog.com/remplacee", 200,
                 "<p>Page</p>", "Location", "(none)"},
        SiteCase{"AFileToSave", "GET", "http://www.skyblog.com/notes", 200, "contenu",
                 "Content-Disposition", "attachment; filename=\"notes.txt\""},
        SiteCase{"AnAnswerWithoutAPage", "GET", "http://www.skyblog.com/vide", 204, ""},
        SiteCase{"ALogInPage", "GET", "http://www.skyblog.com/admBloger/", 401, "",
                 "WWW-Authenticate", "Basic realm=\"blog\""}),
    [](const auto& info) { return info.param.name; });

TEST(LoopbackSiteLifetime, StopsListeningWhenDestroyed)
{
    std::string proxy;
    {
        LoopbackSite site;
        proxy = site.ProxyAddress();
        site.AddPage("http://www.skyblog.com/", "<p>Accueil</p>");
        ASSERT_EQ(Fetch(proxy, "GET", "http://www.skyblog.com/").status, 200u);
    }
    EXPECT_NE(Fetch(proxy, "GET", "http://www.skyblog.com/").error, "");
}

}  // namespace
}  // namespace quillomat::testing
