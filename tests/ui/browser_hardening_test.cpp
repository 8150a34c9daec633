#include <webkit2/webkit2.h>

#include <filesystem>

#include "app/pane/sandbox_probe.h"
#include "tests/support/loopback_site.h"
#include "tests/support/web_process.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

const std::string ArticlePage = "http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=";

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

TEST_F(BrowserHardeningTest, WebContentIsSandboxedWhereBubblewrapWorks)
{
    EXPECT_EQ(Access::Pane(*window).Sandboxed(), BubblewrapSandboxWorks());
    const auto processes = WebContentProcesses();
    ASSERT_FALSE(processes.empty());
    if (!BubblewrapSandboxWorks())
        GTEST_SKIP() << "bubblewrap cannot build a sandbox on this machine";
    // A sandboxed web process lives in its own PID namespace.
    const auto ownNamespace = std::filesystem::read_symlink("/proc/self/ns/pid");
    const auto webNamespace =
        std::filesystem::read_symlink("/proc/" + std::to_string(processes.front()) + "/ns/pid");
    EXPECT_NE(webNamespace, ownNamespace);
}

}  // namespace
}  // namespace quillomat::testing
