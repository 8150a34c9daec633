#include <gtkmm/button.h>
#include <gtkmm/messagedialog.h>
#include <webkit2/webkit2.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "tests/support/loopback_site.h"
#include "tests/support/page_pop_ups.h"
#include "tests/support/page_script.h"
#include "tests/support/web_process.h"
#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

const std::string ArticlePage = "http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=";
const std::string HungPage = "http://www.skyblog.com/bloquee";
// Shows its title, then its script never returns.
const std::string HangingScript =
    "<title>bloquée</title><script>setTimeout(() => { for (;;) {} }, 0)</script>";

class BrowserHardeningTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        site.AddPage("http://www.skyblog.com/", "<p>Accueil</p>");
        site.AddPage(ArticlePage + "123", "<p>Article 123</p>");
        site.AddPage(ArticlePage + "456", "<p>Article 456</p>");
        OpenWindow(site.ProxyAddress());
        g_signal_connect(View(), "load-changed", G_CALLBACK(&CountLoads), &pagesLoaded);
        ASSERT_TRUE(WaitForPage("http://www.skyblog.com/"));
    }

    static void CountLoads(WebKitWebView*, WebKitLoadEvent event, int* loaded)
    {
        *loaded += event == WEBKIT_LOAD_FINISHED;
    }

    bool WaitForPage(const std::string& address)
    {
        return RunMainLoopUntil(
            [&] {
                return Access::Text9(*window) == address && !webkit_web_view_is_loading(View()) &&
                       !WebContentProcesses().empty();
            },
            20s);
    }

    std::size_t RequestsFor(const std::string& address)
    {
        std::size_t count = 0;
        for (const auto& request : site.Requests())
            count += request.address == address;
        return count;
    }

    bool WaitForTitle(WebKitWebView* view, const std::string& title)
    {
        return RunMainLoopUntil(
            [&] {
                const char* shown = webkit_web_view_get_title(view);
                return shown && shown == title;
            },
            20s);
    }

    std::vector<Gtk::Window*> Popups() { return PagePopUps(*window); }

    LoopbackSite site;
    int pagesLoaded = 0;
};

TEST_F(BrowserHardeningTest, ADeadWebProcessReloadsThePageThreeTimesAMinuteThenGivesUp)
{
    Go(ArticlePage + "123");
    ASSERT_TRUE(WaitForPage(ArticlePage + "123"));
    ASSERT_EQ(desktop.clipboardTexts.size(), 1u);

    for (std::size_t crash = 1; crash <= 3; ++crash) {
        const std::size_t before = RequestsFor(ArticlePage + "123");
        ASSERT_GT(CrashWebContentProcesses(), 0u);
        ASSERT_TRUE(
            RunMainLoopUntil([&] { return RequestsFor(ArticlePage + "123") > before; }, 20s))
            << "no reload after crash " << crash;
        ASSERT_TRUE(WaitForPage(ArticlePage + "123"));
    }
    // The same address again: no second generation, copy or message.
    EXPECT_EQ(desktop.clipboardTexts.size(), 1u);
    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(Access::Label5(*window).get_text(), "123");

    // While the program says so, the empty page's own web processes die twice more: it says
    // so once all the same, with no box over its box.
    desktop.whileMessageOpen = [&](std::size_t box) {
        if (box != 1)
            return;
        for (int crash = 0; crash < 2; ++crash) {
            // Once the empty page has loaded: WebKit aborts when a process dies starting.
            const int loaded = pagesLoaded;
            ASSERT_TRUE(RunMainLoopUntil([&] { return pagesLoaded > loaded; }, 20s));
            ASSERT_GT(CrashWebContentProcesses(), 0u);
        }
        const int loaded = pagesLoaded;
        ASSERT_TRUE(RunMainLoopUntil([&] { return pagesLoaded > loaded; }, 20s));
    };
    ASSERT_GT(CrashWebContentProcesses(), 0u);
    ASSERT_TRUE(RunMainLoopUntil([&] { return desktop.messages.size() == 2; }, 20s));
    desktop.whileMessageOpen = nullptr;
    EXPECT_EQ(desktop.mostOpenAtOnce, 1);
    EXPECT_EQ(desktop.messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(desktop.messages[1].title, "Quillomat");
    EXPECT_NE(desktop.messages[1].text.find("navigateur"), std::string::npos);
    // Detection follows the page shown once the box has closed.
    EXPECT_TRUE(RunMainLoopUntil(
        [&] {
            return Access::Text9(*window) == "about:blank" && !webkit_web_view_is_loading(View()) &&
                   Access::Label5(*window).get_text().empty();
        },
        20s));

    // The program goes on, and so does detection.
    Go(ArticlePage + "456");
    ASSERT_TRUE(WaitForPage(ArticlePage + "456"));
    EXPECT_EQ(Access::Label5(*window).get_text(), "456");
    EXPECT_EQ(desktop.clipboardTexts.size(), 2u);
    EXPECT_EQ(desktop.messages.size(), 3u);
}

// Asked here rather than of the program, so that a wrong answer of the program's own probe fails
// the test: whether bubblewrap builds the namespaces WebKit's sandbox asks for.
bool BubblewrapBuildsASandbox()
{
    return std::system(
               "bwrap --ro-bind / / --dev /dev --proc /proc --unshare-user-try "
               "--unshare-pid --unshare-ipc --unshare-uts --unshare-net --die-with-parent "
               "true >/dev/null 2>&1") == 0;
}

TEST_F(BrowserHardeningTest, WebContentIsSandboxedWhereBubblewrapWorksAndLoadsElsewhere)
{
    const auto processes = WebContentProcesses();
    ASSERT_FALSE(processes.empty()) << "the home page was shown without a web process";
    // A sandboxed web process lives in a PID namespace of its own.
    const auto ownNamespace = std::filesystem::read_symlink("/proc/self/ns/pid");
    const auto webNamespace =
        std::filesystem::read_symlink("/proc/" + std::to_string(processes.front()) + "/ns/pid");
    EXPECT_EQ(webNamespace != ownNamespace, BubblewrapBuildsASandbox());
}

struct HangCase {
    const char* name;
    bool stopProcess;  // else a script that never returns
};

void PrintTo(const HangCase& c, std::ostream* out)
{
    *out << c.name;
}

class HungPageTest : public BrowserHardeningTest, public ::testing::WithParamInterface<HangCase> {};

TEST_P(HungPageTest, TheFirstGoLeavesIt)
{
    site.AddPage(HungPage, GetParam().stopProcess ? "<title>bloquée</title>" : HangingScript);
    Go(HungPage);
    ASSERT_TRUE(WaitForTitle(View(), "bloquée"));
    std::vector<pid_t> stopped;
    if (GetParam().stopProcess) {
        ASSERT_TRUE(WaitForPage(HungPage));
        stopped = WebContentProcesses();
        for (const pid_t pid : stopped)
            kill(pid, SIGSTOP);
    }

    Go(ArticlePage + "456");
    EXPECT_TRUE(WaitForPage(ArticlePage + "456"));
    EXPECT_EQ(Access::Label5(*window).get_text(), "456");
    for (const pid_t pid : stopped)
        kill(pid, SIGCONT);
}

INSTANTIATE_TEST_SUITE_P(, HungPageTest,
                         ::testing::Values(HangCase{"ScriptThatNeverReturns", false},
                                           HangCase{"StoppedWebProcess", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BrowserHardeningTest, APageThatStopsAnsweringIsOfferedToBeStopped)
{
    site.AddPage(HungPage, HangingScript);
    Go(HungPage);
    ASSERT_TRUE(WaitForTitle(View(), "bloquée"));
    // A key typed into the page goes unanswered.
    window->present();
    PressKey(*window, GDK_KEY_a);
    Gtk::MessageDialog* notice = nullptr;
    ASSERT_TRUE(RunMainLoopUntil(
        [&] {
            for (Gtk::Window* each : Gtk::Window::list_toplevels())
                if (each->get_visible() && (notice = dynamic_cast<Gtk::MessageDialog*>(each)))
                    return true;
            return false;
        },
        30s));
    EXPECT_EQ(notice->property_text().get_value(), "La page ne répond plus.");
    EXPECT_EQ(notice->get_transient_for(), window.get());
    EXPECT_FALSE(notice->get_modal());

    static_cast<Gtk::Button*>(notice->get_widget_for_response(Gtk::RESPONSE_ACCEPT))->clicked();
    EXPECT_FALSE(notice->get_visible());
    ASSERT_TRUE(WaitForTitle(View(), "Page non disponible"));
    EXPECT_NE(PageScriptResult(View(), "document.body.innerText").find("ne répondait plus"),
              std::string::npos);
    EXPECT_EQ(Access::Text9(*window), HungPage);
}

// The title bar's close button removes a pop-up whose page never answers, and the pane, which
// shares its web process, still goes where the user asks.
TEST_F(BrowserHardeningTest, AHungPopUpGoesWhenClosedFromItsTitleBar)
{
    site.AddPage(HungPage, HangingScript);
    ASSERT_EQ(PageScriptResult(View(),
                               "window.open('/bloquee', 'bloquee', 'width=320,height=240') "
                               "? 'open' : 'refused'"),
              "open");
    ASSERT_TRUE(RunMainLoopUntil([&] { return Popups().size() == 1; }, 20s));
    ASSERT_TRUE(WaitForTitle(WEBKIT_WEB_VIEW(Popups()[0]->get_child()->gobj()), "bloquée"));

    // What the window manager does for the title bar's close button.
    gtk_window_close(Popups()[0]->gobj());
    ASSERT_TRUE(RunMainLoopUntil([&] { return Popups().empty(); }, 20s));
    Go(ArticlePage + "456");
    EXPECT_TRUE(WaitForPage(ArticlePage + "456"));
}

}  // namespace
}  // namespace quillomat::testing
