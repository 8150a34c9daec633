#include <gtkmm/button.h>
#include <gtkmm/messagedialog.h>
#include <webkit2/webkit2.h>

#include <algorithm>
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
        return std::ranges::count(site.Requests(), address, &LoopbackSite::Request::address);
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

    static Gtk::MessageDialog* ShownBox() { return ShownWindow<Gtk::MessageDialog>(); }

    LoopbackSite site;
    int pagesLoaded = 0;
};

// The first death comes while the page opens: that page, not the one before, is reloaded.
TEST_F(BrowserHardeningTest, ADeadWebProcessReloadsThePageThreeTimesAMinuteThenGivesUp)
{
    site.HoldAnswersTo(ArticlePage + "123");
    Go(ArticlePage + "123");
    ASSERT_TRUE(RunMainLoopUntil([&] { return site.WasRequested(ArticlePage + "123"); }, 20s));
    ASSERT_GT(CrashWebContentProcesses(), 0u);
    ASSERT_TRUE(RunMainLoopUntil([&] { return RequestsFor(ArticlePage + "123") == 2; }, 20s));
    site.ReleaseHeldAnswers();
    ASSERT_TRUE(WaitForPage(ArticlePage + "123"));
    EXPECT_EQ(RequestsFor("http://www.skyblog.com/"), 1u);
    ASSERT_EQ(desktop.clipboardTexts.size(), 1u);

    for (std::size_t crash = 2; crash <= 3; ++crash) {
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

    // While it says so, the empty page's web processes die twice more, each once it has loaded
    // (WebKit aborts when a process dies starting): it says so once all the same, no box over it.
    desktop.whileMessageOpen = [&](std::size_t box) {
        for (int crash = 0; box == 1 && crash <= 2; ++crash) {
            const int loaded = pagesLoaded;
            ASSERT_TRUE(RunMainLoopUntil([&] { return pagesLoaded > loaded; }, 20s));
            if (crash < 2) {
                ASSERT_GT(CrashWebContentProcesses(), 0u);
            }
        }
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

// A sandboxed web process has a PID namespace of its own; bubblewrap is asked here, not the probe.
TEST_F(BrowserHardeningTest, WebContentIsSandboxedWhereBubblewrapWorksAndLoadsElsewhere)
{
    const auto processes = WebContentProcesses();
    ASSERT_FALSE(processes.empty()) << "the home page was shown without a web process";
    const auto ownNamespace = std::filesystem::read_symlink("/proc/self/ns/pid");
    const auto webNamespace =
        std::filesystem::read_symlink("/proc/" + std::to_string(processes.front()) + "/ns/pid");
    const bool bubblewrapWorks =
        std::system(
            "bwrap --ro-bind / / --dev /dev --proc /proc --unshare-user-try --unshare-pid "
            "--unshare-ipc --unshare-uts --unshare-net --die-with-parent true "
            ">/dev/null 2>&1") == 0;
    EXPECT_EQ(webNamespace != ownNamespace, bubblewrapWorks);
}

enum class PopUpAfter { Lives, ShowsTheStop, ShowsTheCrash, Gone };

struct HostileCase {
    const char* name;
    const char* script;
    bool inPopUp;           // the pop-up's page, closed from its title bar; else the pane's
    int processSignal;      // sent to the page's web process once shown, if any
    std::size_t pageBoxes;  // the boxes that the page gives before the user leaves it
    PopUpAfter popUp;
    bool keepsABoxOpen = false;  // the page keeps its own box open
    friend void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }
};

class HostilePageTest : public BrowserHardeningTest,
                        public ::testing::WithParamInterface<HostileCase> {};

// The first "Aller à..." leaves any page for a slow article, even before its crash is known; a
// live pop-up on its web process lives on, a stopped or crashed one says so and comes back on F5.
TEST_P(HostilePageTest, TheFirstGoLeavesIt)
{
    const std::string hostile = "http://www.skyblog.com/piege";
    site.AddPage(hostile, std::string("<meta charset='utf-8'><title>piège</title><script>") +
                              GetParam().script + "</script>");
    site.AddPage("http://www.skyblog.com/fenetre", "<meta charset='utf-8'><title>fenêtre</title>");
    site.HoldAnswersTo(ArticlePage + "456");
    ASSERT_EQ(PageScriptResult(View(), std::string("window.open('/") +
                                           (GetParam().inPopUp ? "piege" : "fenetre") +
                                           "', 'f', 'width=320,height=240') ? 'open' : ''"),
              "open");
    ASSERT_TRUE(RunMainLoopUntil([&] { return Popups().size() == 1; }, 20s));
    auto* popUp = WEBKIT_WEB_VIEW(Popups()[0]->get_child()->gobj());
    ASSERT_TRUE(WaitForTitle(popUp, GetParam().inPopUp ? "piège" : "fenêtre"));
    if (!GetParam().inPopUp) {
        Go(hostile);
        // A page held in its box never gets to tell its title.
        ASSERT_TRUE(GetParam().keepsABoxOpen || WaitForTitle(View(), "piège"));
    }
    if (GetParam().keepsABoxOpen) {
        Gtk::MessageDialog* box = nullptr;
        ASSERT_TRUE(RunMainLoopUntil([&] { return (box = ShownBox()) != nullptr; }, 20s));
        EXPECT_EQ(box->get_title(), "Message de la page");
        EXPECT_EQ(box->property_text().get_value(), "piège");
        // It leaves "Aller à..." within reach.
        EXPECT_FALSE(box->get_modal());
    }
    std::vector<pid_t> stopped;
    if (GetParam().processSignal) {
        ASSERT_TRUE(WaitForPage(hostile));
        stopped = WebContentProcesses();
        for (const pid_t pid : stopped)
            kill(pid, GetParam().processSignal);
    }
    if (GetParam().inPopUp) {
        // What the window manager does for the title bar's close button.
        gtk_window_close(Popups()[0]->gobj());
        ASSERT_TRUE(RunMainLoopUntil([&] { return Popups().empty(); }, 20s));
    }
    ASSERT_TRUE(
        RunMainLoopUntil([&] { return desktop.messages.size() == GetParam().pageBoxes; }, 20s));

    Go(ArticlePage + "456");
    ASSERT_TRUE(RunMainLoopUntil([&] { return site.WasRequested(ArticlePage + "456"); }, 20s));
    site.ReleaseHeldAnswers();
    EXPECT_TRUE(WaitForPage(ArticlePage + "456"));
    EXPECT_EQ(Access::Label5(*window).get_text(), "456");
    EXPECT_EQ(ShownBox(), nullptr);
    EXPECT_EQ(desktop.messages.size(), GetParam().pageBoxes + 1);
    if (GetParam().popUp == PopUpAfter::Lives)
        EXPECT_EQ(PageScriptResult(popUp, "document.title"), "fenêtre");
    else if (GetParam().popUp != PopUpAfter::Gone) {
        ASSERT_TRUE(WaitForTitle(popUp, "Page non disponible"));
        EXPECT_NE(PageScriptResult(popUp, "document.body.innerText")
                      .find(GetParam().popUp == PopUpAfter::ShowsTheStop
                                ? "La page ne répondait plus : Quillomat l'a arrêtée."
                                : "Le navigateur intégré s'est arrêté sur cette page."),
                  std::string::npos);
        PressKey(*Popups()[0], GDK_KEY_F5);
        EXPECT_TRUE(WaitForTitle(popUp, "fenêtre"));
    }
    for (const pid_t pid : stopped)
        kill(pid, SIGCONT);
}

INSTANTIATE_TEST_SUITE_P(
    , HostilePageTest,
    ::testing::Values(
        HostileCase{"FragmentLoop",
                    "let n = 0; setInterval(() => { location.hash = 'h' + n++ }, 1)", false, 0, 0,
                    PopUpAfter::Lives},
        HostileCase{"AddressFlipFlop",
                    "let n = 0; setInterval(() => history.replaceState(null, '', "
                    "'admBloger/article.phtml?edit_article=1&id=' + (n++ % 2 ? '111' : '222')), 1)",
                    false, 0, 1, PopUpAfter::Lives},
        HostileCase{
            "BusyForTwoSeconds",
            "setTimeout(() => { const end = Date.now() + 2000; while (Date.now() < end); })", false,
            0, 0, PopUpAfter::Lives},
        HostileCase{"ScriptThatNeverReturns", "setTimeout(() => { for (;;); })", false, 0, 0,
                    PopUpAfter::ShowsTheStop},
        HostileCase{"AlertsWithoutEnd", "for (;;) alert('piège');", false, 0, 0,
                    PopUpAfter::ShowsTheStop, true},
        HostileCase{"ConfirmsOneAfterAnother",
                    "(function ask() { confirm('piège'); setTimeout(ask, 0); })();", false, 0, 0,
                    PopUpAfter::ShowsTheStop, true},
        HostileCase{"StoppedWebProcess", "", false, SIGSTOP, 0, PopUpAfter::ShowsTheStop},
        HostileCase{"CrashedWebProcess", "", false, SIGKILL, 0, PopUpAfter::ShowsTheCrash},
        HostileCase{"HungPopUpClosed", "setTimeout(() => { for (;;); })", true, 0, 0,
                    PopUpAfter::Gone}),
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
    ASSERT_TRUE(RunMainLoopUntil([&] { return (notice = ShownBox()) != nullptr; }, 30s));
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

}  // namespace
}  // namespace quillomat::testing
