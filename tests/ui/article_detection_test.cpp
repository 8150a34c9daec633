#include <webkit2/webkit2.h>

#include <cairomm/context.h>
#include <cairomm/surface.h>
#include <glibmm/main.h>
#include <gtkmm/textview.h>

#include <algorithm>

#include "tests/support/loopback_site.h"
#include "tests/support/page_script.h"
#include "tests/support/real_clipboard_desktop.h"
#include "tests/support/web_process.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

const std::string EditPath = "/admBloger/article.phtml?edit_article=1&id=";
const std::string CopyDone =
    "Quillomat vient de générer et copier le code pour cet article.\n"
    "Vous pouvez à présent coller vos liens dans votre article!";

std::string Page(const std::string& body)
{
    return "<!DOCTYPE html><html><head><meta charset='utf-8'><title>t</title></head><body>" + body +
           "</body></html>";
}

// The main window with its pane routed to a loopback site standing for the blog service.
class ArticleDetectionTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        site.AddPage("http://www.skyblog.com/", Page("<a id='edit' href='http://www.skyblog.com" +
                                                     EditPath + "123'>Editer</a>"));
        for (const std::string host :
             {"www.skyblog.com", "skyblog.com", "www.skyrock.com", "skyrock.com"})
            for (const std::string number : {"123", "456", ""})
                site.AddPage("http://" + host + EditPath + number, Page("Article " + number));
        site.AddPage("http://www.skyblog.com/liste", Page("Liste des articles"));
        OpenWindow(site.ProxyAddress(), services);
        ASSERT_TRUE(WaitForPage("http://www.skyblog.com/"));
    }

    std::size_t CopyMessages() const
    {
        return std::ranges::count(desktop.messages, CopyDone, &RecordingDesktop::Message::text);
    }

    LoopbackSite site;
    DesktopServices* services = nullptr;
};

// Once the new view's web process has started, WebKit tells for a moment of no address and no
// load. The flag is the view's: it may tell of its loads until the window goes, after the test.
void CrashWhenNothingIsLoading(WebKitWebView* view, GParamSpec*, bool* crashed)
{
    const char* address = webkit_web_view_get_uri(view);
    if (!*crashed && !webkit_web_view_is_loading(view) && (!address || !*address))
        *crashed = CrashWebContentProcesses() > 0;
}

// The home page, asked for once the window is drawn, never replaces an address asked before.
TEST_F(ArticleDetectionTest, AnAddressAskedForBeforeTheWindowIsDrawnStays)
{
    window.reset();
    MainWindow::Options options;
    options.browser.proxyAddress = site.ProxyAddress();
    window = std::make_unique<MainWindow>(desktop, options);
    bool* crashed = new bool(false);
    g_signal_connect_data(
        View(), "notify::is-loading", G_CALLBACK(&CrashWhenNothingIsLoading), crashed,
        [](gpointer flag, GClosure*) { delete static_cast<bool*>(flag); }, GConnectFlags(0));
    Go("http://www.skyblog.com" + EditPath + "456");
    // Idle callbacks of one priority run in the order they were added: once this one has run,
    // so has the one that the window adds when it is mapped.
    bool idleRan = false;
    window->signal_map_event().connect(
        [&](GdkEventAny*) {
            Glib::signal_idle().connect_once([&] { idleRan = true; });
            return false;
        },
        true);
    window->show();
    ASSERT_TRUE(RunMainLoopUntil([&] { return idleRan; }, 10s));
    ASSERT_TRUE(WaitForPage("http://www.skyblog.com" + EditPath + "456"));
    EXPECT_TRUE(*crashed);
    EXPECT_EQ(Access::Label5(*window).get_text(), "456");
}

// The start opens the home page, the box showing the short form; only the button goes elsewhere.
TEST_F(ArticleDetectionTest, TheHomePageAtStartAndOnlyTheGoButtonSendsThePaneElsewhere)
{
    EXPECT_TRUE(site.WasRequested("http://www.skyblog.com/"));
    EXPECT_EQ(Access::Caption(*window, 13).get_text(), "http://skyblog.com");
    EXPECT_EQ(Access::Label5(*window).get_text(), "");
    EXPECT_TRUE(desktop.messages.empty());

    const std::string list = "http://www.skyblog.com/liste";
    Access::Caption(*window, 13).set_text(list);
    Access::Caption(*window, 13).activate();
    // No load: it would change the pane's address at once, and ask for the typed one first.
    EXPECT_EQ(Access::Pane(*window).LocationURL(), "http://www.skyblog.com/");
    Go("http://www.skyblog.com" + EditPath + "456");
    ASSERT_TRUE(WaitForPage("http://www.skyblog.com" + EditPath + "456"));
    EXPECT_FALSE(site.WasRequested(list));

    Go(list);
    ASSERT_TRUE(WaitForPage(list));

    // An empty address is passed on as it stands: the pane shows a blank page and goes on.
    Go("");
    ASSERT_TRUE(WaitForPage("about:blank"));
    Go("http://www.skyblog.com" + EditPath + "123");
    ASSERT_TRUE(WaitForPage("http://www.skyblog.com" + EditPath + "123"));
    EXPECT_EQ(Access::Label5(*window).get_text(), "123");
}

TEST_F(ArticleDetectionTest,
       FollowingALinkToAnArticleGeneratesAndCopiesOnceAndLeavingItKeepsTheCode)
{
    PageScriptResult(View(), "document.getElementById('edit').click()");
    ASSERT_TRUE(WaitForPage("http://www.skyblog.com" + EditPath + "123"));

    EXPECT_EQ(Access::Label5(*window).get_text(), "123");
    EXPECT_EQ(Access::Text4(*window), "123");
    EXPECT_NE(Access::Text5(*window).find("&id_article=123&"), std::string::npos);
    ASSERT_EQ(desktop.clipboardTexts.size(), 1u);
    EXPECT_EQ(desktop.clipboardTexts[0], Access::Text8(*window));
    EXPECT_NE(Access::Text8(*window).find("[a=http://www.skyblog.com/admBloger/"),
              std::string::npos);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, CopyDone);
    EXPECT_EQ(desktop.messages[0].title, "Quillomat par Brennic");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Information);
    // The link did not touch the address box.
    EXPECT_EQ(Access::Caption(*window, 13).get_text(), "http://skyblog.com");

    // The browser reporting the same address again runs nothing.
    for (int i = 0; i < 20; ++i)
        window->MirrorCurrentAddress(Access::Pane(*window).LocationURL());
    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.clipboardTexts.size(), 1u);

    // Leaving the article empties the display and keeps the code.
    const std::string code = Access::Text8(*window);
    Go("http://www.skyblog.com/liste");
    ASSERT_TRUE(WaitForPage("http://www.skyblog.com/liste"));
    EXPECT_EQ(Access::Label5(*window).get_text(), "");
    EXPECT_EQ(Access::Text4(*window), "123");
    EXPECT_EQ(Access::Text8(*window), code);
    EXPECT_EQ(desktop.clipboardTexts.size(), 1u);

    // Back in the history: the article is detected again.
    webkit_web_view_go_back(View());
    ASSERT_TRUE(WaitForPage("http://www.skyblog.com" + EditPath + "123"));
    EXPECT_EQ(Access::Label5(*window).get_text(), "123");
    EXPECT_EQ(desktop.clipboardTexts.size(), 2u);
}

TEST_F(ArticleDetectionTest, RedirectAndFormSubmissionReachTheArticle)
{
    site.AddRedirect("http://www.skyblog.com/suite", "http://skyrock.com" + EditPath + "123");
    Go("http://www.skyblog.com/suite");
    ASSERT_TRUE(WaitForPage("http://skyrock.com" + EditPath + "123"));
    EXPECT_EQ(Access::Label5(*window).get_text(), "123");

    site.AddPage("http://www.skyblog.com/formulaire",
                 Page("<form id='f' method='post' action='http://www.skyblog.com" + EditPath +
                      "456'><input name='titre' value='Mon article'></form>"));
    Go("http://www.skyblog.com/formulaire");
    ASSERT_TRUE(WaitForPage("http://www.skyblog.com/formulaire"));
    PageScriptResult(View(), "document.getElementById('f').submit()");
    ASSERT_TRUE(WaitForPage("http://www.skyblog.com" + EditPath + "456"));
    EXPECT_EQ(Access::Label5(*window).get_text(), "456");
    EXPECT_EQ(site.Requests().back().method, "POST");
    EXPECT_EQ(site.Requests().back().body, "titre=Mon+article");
    EXPECT_EQ(CopyMessages(), 2u);
}

TEST_F(ArticleDetectionTest, ASlowArticleIsAnnouncedOnlyOnceShown)
{
    const std::string article = "http://www.skyblog.com" + EditPath + "123";
    site.HoldAnswersTo(article);
    Go(article);
    ASSERT_TRUE(RunMainLoopUntil([&] { return site.WasRequested(article); }, 20s));
    // The server has the request and keeps the answer: the home page is still the one shown.
    EXPECT_EQ(Access::Text9(*window), "http://www.skyblog.com/");
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(desktop.clipboardTexts.empty());

    site.ReleaseHeldAnswers();
    ASSERT_TRUE(WaitForPage(article));
    EXPECT_EQ(CopyMessages(), 1u);
    EXPECT_EQ(desktop.clipboardTexts.size(), 1u);
}

TEST_F(ArticleDetectionTest, AnAnswerWithoutAPageChangesNothing)
{
    Go("http://www.skyblog.com" + EditPath + "123");
    ASSERT_TRUE(WaitForPage("http://www.skyblog.com" + EditPath + "123"));
    const std::string noPage = "http://www.skyblog.com" + EditPath + "456";
    site.AddNoContent(noPage);
    Go(noPage);
    ASSERT_TRUE(RunMainLoopUntil(
        [&] { return site.WasRequested(noPage) && !webkit_web_view_is_loading(View()); }, 20s));

    EXPECT_EQ(Access::Text9(*window), "http://www.skyblog.com" + EditPath + "123");
    EXPECT_EQ(Access::Label5(*window).get_text(), "123");
    EXPECT_EQ(CopyMessages(), 1u);
    EXPECT_EQ(desktop.clipboardTexts.size(), 1u);
}

// A refused connection: a French error page, never taken for the article it stands for, and
// the same page again once its web process has died.
TEST_F(MainWindowTest, ARefusedConnectionShowsAFrenchErrorPageAndNoCode)
{
    OpenWindow();
    const std::string article = "http://www.skyblog.com" + EditPath + "123";
    Go(article);
    const auto expectErrorPage = [&](const char* moment) {
        std::string text;
        ASSERT_TRUE(RunMainLoopUntil(
            [&] {
                if (webkit_web_view_is_loading(View()))
                    return false;
                text = PageScriptResult(View(), "document.body.innerText");
                return !text.empty();
            },
            40s))
            << moment;
        EXPECT_NE(text.find("Cette page n'a pas pu être ouverte."), std::string::npos) << text;
        EXPECT_NE(text.find(article), std::string::npos) << moment << ": " << text;
        EXPECT_NE(text.find("Le serveur a refusé la connexion"), std::string::npos) << text;

        EXPECT_EQ(Access::Text9(*window), "Text9");
        EXPECT_EQ(Access::Label5(*window).get_text(), "");
        EXPECT_TRUE(desktop.messages.empty());
        EXPECT_TRUE(desktop.clipboardTexts.empty());
    };
    expectErrorPage("refused");
    ASSERT_GT(CrashWebContentProcesses(), 0u);
    // The pane has heard of the death once it loads anew.
    ASSERT_TRUE(RunMainLoopUntil([&] { return webkit_web_view_is_loading(View()); }, 20s));
    expectErrorPage("refused, its web process dead");
}

// What a text view draws on white, once the toolkit has laid it out and drawn it anew.
std::vector<unsigned char> Drawing(Gtk::TextView& view)
{
    bool drawn = false;
    sigc::connection watch = view.signal_draw().connect(
        [&](const Cairo::RefPtr<Cairo::Context>&) { return drawn = true, false; }, false);
    view.queue_draw();
    EXPECT_TRUE(RunMainLoopUntil([&] { return drawn; }, 5s));
    watch.disconnect();
    auto shown = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, view.get_allocated_width(),
                                             view.get_allocated_height());
    auto context = Cairo::Context::create(shown);
    context->set_source_rgb(1, 1, 1);
    context->paint();
    gtk_widget_draw(GTK_WIDGET(view.gobj()), context->cobj());
    shown->flush();
    return {shown->get_data(), shown->get_data() + shown->get_stride() * shown->get_height()};
}

// Owns the real clipboard; another process reads it.
class ClipboardTest : public ArticleDetectionTest {
protected:
    ClipboardTest() { services = &realClipboard; }

    RealClipboardDesktop realClipboard;
};

TEST_F(ClipboardTest, TheBoxShowsTheExactCodeAndAnotherProgramReadsIt)
{
    // With a word longer than a line of the code box.
    const std::string word =
        "anticonstitutionnellement"
        "anticonstitutionnellementanticonstitutionnellement";
    Access::Caption(*window, 10).set_text("Ajoutez un mot doux ç é à ù " + word);
    Access::Caption(*window, 12).set_text("Lisez « les » commentaires");
    Go("http://www.skyblog.com" + EditPath + "123");
    ASSERT_TRUE(WaitForPage("http://www.skyblog.com" + EditPath + "123"));
    ASSERT_EQ(realClipboard.clipboardTexts.size(), 1u);
    const std::string code = Access::Text8(*window);
    EXPECT_NE(code.find("mot doux ç é à ù " + word), std::string::npos);
    EXPECT_EQ(ReadClipboardWithXclip(10s), code);
    // Lines break anywhere, inside the word too, drawn as the same lines broken by hand: no hyphen.
    auto& box = static_cast<Gtk::TextView&>(Access::FocusTarget(*window, "Text8"));
    const auto wrapped = Drawing(box);
    std::string lines;
    Gtk::TextIter start = box.get_buffer()->begin();
    for (Gtk::TextIter end = start; box.forward_display_line(end); start = end) {
        lines += box.get_buffer()->get_text(start, end).raw();
        if (lines.back() != '\n')
            lines += '\n';
    }
    lines += box.get_buffer()->get_text(start, box.get_buffer()->end()).raw();
    EXPECT_GT(std::count(lines.begin(), lines.end(), '\n'),
              std::count(code.begin(), code.end(), '\n') + 3);
    Access::SetText8(*window, lines);
    EXPECT_TRUE(Drawing(box) == wrapped);

    // Code edited by hand, line breaks included, reaches the clipboard as it stands.
    Access::SetText8(*window, "première ligne\r\nseconde ligne\n");
    Access::Button(*window, 5).clicked();
    EXPECT_EQ(ReadClipboardWithXclip(10s), "première ligne\r\nseconde ligne\n");

    Access::SetText8(*window, "");
    Access::Button(*window, 5).clicked();
    EXPECT_EQ(ReadClipboardWithXclip(10s), "");
}

}  // namespace
}  // namespace quillomat::testing
