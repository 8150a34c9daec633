#include <webkit2/webkit2.h>

#include <algorithm>

#include <gdk/gdkkeysyms.h>
#include <gtkmm/entry.h>
#include <gtkmm/window.h>

#include "tests/support/loopback_site.h"
#include "tests/support/page_pop_ups.h"
#include "tests/support/page_script.h"
#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

const std::string Home = "http://www.skyblog.com/";
const std::string Article = "http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=";

std::string Page(const std::string& title, const std::string& body)
{
    return "<!DOCTYPE html><html><head><meta charset='utf-8'><title>" + title +
           "</title></head><body>" + body + "</body></html>";
}

// The main window's pane on a loopback site standing for the blog service, used as a user would.
class BrowserPaneTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        site.AddPage(Home, Page("Accueil",
                                "<a id='one' href='/liste'>Liste</a> "
                                "<a id='two' target='_blank' href='" +
                                    Article + "123'>Editer</a> <input id='image'>"));
        for (const std::string number : {"123", "456"})
            site.AddPage(Article + number, Page("Article " + number, "<p>Article</p>"));
        OpenWindow(site.ProxyAddress());
        ASSERT_TRUE(WaitForPage(Home));
    }

    std::string Script(const std::string& script) { return PageScriptResult(View(), script); }

    std::vector<Gtk::Window*> Popups() { return PagePopUps(*window); }

    std::size_t CopiesOf(const std::string& number)
    {
        return std::ranges::count_if(desktop.clipboardTexts, [&](const std::string& code) {
            return code.find("&id_article=" + number + "&") != std::string::npos;
        });
    }

    LoopbackSite site;
};

TEST_F(BrowserPaneTest, ALinkIntoANewWindowOpensInThePane)
{
    window->present();
    ASSERT_EQ(Script("document.getElementById('two').focus(); document.activeElement.id"), "two");
    PressKey(*window, GDK_KEY_Return);
    ASSERT_TRUE(WaitForPage(Article + "123"));
    EXPECT_EQ(Access::Label5(*window).get_text(), "123");
    EXPECT_EQ(CopiesOf("123"), 1u);
    EXPECT_TRUE(Popups().empty());
}

// An "insert a picture" window: it shares the pane's session, fills its opener's form, closes.
TEST_F(BrowserPaneTest, AScriptWindowIsAPopUpOfItsOwnThatReachesItsOpener)
{
    site.AddPage("http://www.skyblog.com/image",
                 Page("Insérer une image",
                      "<button id='ok' onclick=\"window.opener.document.getElementById('image')"
                      ".value='photo.png'; window.close()\">OK</button>"));
    const std::string open =
        "window.open('/image', 'image' + Math.random(), 'width=320,height=240') ? 'open' : ''";
    ASSERT_EQ(Script(open), "open");
    ASSERT_TRUE(RunMainLoopUntil(
        [&] { return Popups().size() == 1 && Popups()[0]->get_title() == "Insérer une image"; },
        20s));
    Gtk::Window& popup = *Popups()[0];
    EXPECT_EQ(popup.get_allocated_width(), 320);
    EXPECT_EQ(popup.get_allocated_height(), 240);

    auto* popupView = WEBKIT_WEB_VIEW(popup.get_child()->gobj());
    PageScriptResult(popupView, "document.getElementById('ok').click()");
    ASSERT_TRUE(RunMainLoopUntil([&] { return Popups().empty(); }, 20s));
    EXPECT_EQ(Script("document.getElementById('image').value"), "photo.png");
    EXPECT_EQ(Access::Text9(*window), Home);

    // A page cannot cover the screen with windows.
    int opened = 0;
    for (int i = 0; i < 7; ++i)
        opened += Script(open) == "open";
    EXPECT_EQ(opened, 5);
    EXPECT_EQ(Popups().size(), 5u);
}

TEST_F(BrowserPaneTest, BrowserKeysAndMouseButtonsMoveThroughTheHistoryAndZoom)
{
    Go(Article + "123");
    ASSERT_TRUE(WaitForPage(Article + "123"));
    // A second history entry within the same page.
    Script("history.pushState({}, '', '" + Article + "456')");
    ASSERT_TRUE(WaitForPage(Article + "456"));

    PressKey(*window, GDK_KEY_Left, GDK_MOD1_MASK);
    ASSERT_TRUE(WaitForPage(Article + "123"));
    PressKey(*window, GDK_KEY_Left, GDK_MOD1_MASK);
    ASSERT_TRUE(WaitForPage(Home));
    EXPECT_EQ(Access::Label5(*window).get_text(), "");
    PressKey(*window, GDK_KEY_Right, GDK_MOD1_MASK);
    ASSERT_TRUE(WaitForPage(Article + "123"));
    // The mouse's side buttons.
    ClickWithMouse(Access::Pane(*window).Widget(), 1, 9);
    ASSERT_TRUE(WaitForPage(Article + "456"));
    ClickWithMouse(Access::Pane(*window).Widget(), 1, 8);
    ASSERT_TRUE(WaitForPage(Article + "123"));
    EXPECT_EQ(CopiesOf("123"), 4u);
    EXPECT_EQ(CopiesOf("456"), 2u);

    // Reload asks the server again; the same page is not announced again.
    for (const auto& [key, modifiers] : {std::pair<guint, guint>{GDK_KEY_F5, 0},
                                         std::pair<guint, guint>{GDK_KEY_r, GDK_CONTROL_MASK}}) {
        const std::size_t requests = site.Requests().size();
        PressKey(*window, key, modifiers);
        ASSERT_TRUE(RunMainLoopUntil(
            [&] {
                return site.Requests().size() > requests && !webkit_web_view_is_loading(View());
            },
            20s));
        EXPECT_EQ(site.Requests().back().address, Article + "123");
    }
    EXPECT_EQ(desktop.clipboardTexts.size(), 6u);

    // Escape gives up a page that does not come; the page shown stays.
    site.HoldAnswersTo(Article + "456");
    Go(Article + "456");
    ASSERT_TRUE(RunMainLoopUntil([&] { return site.WasRequested(Article + "456"); }, 20s));
    PressKey(*window, GDK_KEY_Escape);
    ASSERT_TRUE(RunMainLoopUntil([&] { return !webkit_web_view_is_loading(View()); }, 20s));
    EXPECT_EQ(Access::Text9(*window), Article + "123");
    EXPECT_EQ(Script("document.title"), "Article 123");
    site.ReleaseHeldAnswers();

    // The zoom is the page's, for the rest of the run.
    PressKey(*window, GDK_KEY_plus, GDK_CONTROL_MASK);
    PressKey(*window, GDK_KEY_plus, GDK_CONTROL_MASK);
    EXPECT_DOUBLE_EQ(webkit_web_view_get_zoom_level(View()), 1.2);
    PressKey(*window, GDK_KEY_Left, GDK_MOD1_MASK);
    ASSERT_TRUE(WaitForPage(Home));
    EXPECT_DOUBLE_EQ(webkit_web_view_get_zoom_level(View()), 1.2);
    PressKey(*window, GDK_KEY_minus, GDK_CONTROL_MASK);
    EXPECT_DOUBLE_EQ(webkit_web_view_get_zoom_level(View()), 1.1);
    PressKey(*window, GDK_KEY_0, GDK_CONTROL_MASK);
    EXPECT_DOUBLE_EQ(webkit_web_view_get_zoom_level(View()), 1.0);
    EXPECT_EQ(Access::Controls(*window).at("Command1")->get_allocated_height(), 201);
}

struct FailedLoadCase {
    const char* name;
    const char* address;
    friend void PrintTo(const FailedLoadCase& c, std::ostream* out) { *out << c.name; }
};

// A load that fails shows the French error page; the address stays the last page really shown.
class FailedLoadTest : public BrowserPaneTest,
                       public ::testing::WithParamInterface<FailedLoadCase> {};

TEST_P(FailedLoadTest, ShowsTheErrorPage)
{
    Go(GetParam().address);
    ASSERT_TRUE(RunMainLoopUntil(
        [&] {
            const char* title = webkit_web_view_get_title(View());
            return title && title == std::string("Page non disponible") &&
                   !webkit_web_view_is_loading(View());
        },
        20s));
    EXPECT_NE(Script("document.body.innerText").find(GetParam().address), std::string::npos);
    EXPECT_EQ(Access::Text9(*window), Home);
}

INSTANTIATE_TEST_SUITE_P(
    , FailedLoadTest,
    ::testing::Values(FailedLoadCase{"TunnelRefusedByTheProxy", "https://www.skyblog.com/"},
                      FailedLoadCase{"PortThatBrowsersRefuse", "http://www.skyblog.com:25/"}),
    [](const auto& info) { return std::string(info.param.name); });

// The keyboard order: Check3, the pane (its page's links and fields, Web1 first), Command1.
TEST_F(BrowserPaneTest, TabGoesThroughThePageAndOnToTheControlsAroundIt)
{
    window->present();
    EXPECT_EQ(window->get_focus(), &Access::Pane(*window).Widget());
    // Where the focus is: a control of the window, or the page's element with that id.
    const auto focusIsOn = [&](const std::string& place) {
        Gtk::Widget* focus = window->get_focus();
        if (focus == &Access::Pane(*window).Widget())
            return place == "Web1" || Script("document.activeElement.id") == place;
        return Access::Controls(*window).count(place) &&
               focus == &Access::FocusTarget(*window, place);
    };
    const std::pair<guint, std::vector<std::string>> steps[] = {
        {GDK_KEY_Tab, {"one", "two", "image", "Command1"}},
        {GDK_KEY_ISO_Left_Tab, {"Web1", "image", "two", "one", "Check3"}},
        {GDK_KEY_Tab, {"Web1", "one"}}};
    for (const auto& [key, places] : steps)
        for (const std::string& place : places) {
            PressKey(*window, key, key == GDK_KEY_ISO_Left_Tab ? GDK_SHIFT_MASK : 0);
            ASSERT_TRUE(RunMainLoopUntil([&] { return focusIsOn(place); }, 10s))
                << (key == GDK_KEY_Tab ? "Tab" : "Shift+Tab") << " to " << place;
        }
}

// WebKit's log-in dialog: Tab and Shift+Tab go round it without leaving it; Enter answers it.
TEST_F(BrowserPaneTest, TheKeyboardStaysInTheLogInDialogAndEnterAnswersIt)
{
    const std::string logIn = "http://www.skyblog.com/admBloger/";
    site.AddLogInPage(logIn, Page("Administration", "<p>Bienvenue</p>"));
    window->present();
    Go(logIn);
    Gtk::Widget& pane = Access::Pane(*window).Widget();
    const auto inDialog = [&](Gtk::Widget* focus) { return focus && focus->is_ancestor(pane); };
    Gtk::Entry* userName = nullptr;
    ASSERT_TRUE(RunMainLoopUntil(
        [&] {
            userName = dynamic_cast<Gtk::Entry*>(window->get_focus());
            return inDialog(userName);
        },
        20s));

    int tabs = 0;
    do {
        PressKey(*window, GDK_KEY_Tab);
        ASSERT_TRUE(inDialog(window->get_focus())) << "Tab " << tabs + 1 << " left the dialog";
    } while (window->get_focus() != userName && ++tabs < 8);
    EXPECT_GE(tabs, 3) << "two fields and two buttons";
    EXPECT_LT(tabs, 8) << "the focus never came round";
    PressKey(*window, GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK);
    EXPECT_TRUE(inDialog(window->get_focus()));
    PressKey(*window, GDK_KEY_Tab);
    ASSERT_EQ(window->get_focus(), userName);

    userName->set_text("moi");
    PressKey(*window, GDK_KEY_Return);
    ASSERT_TRUE(WaitForPage(logIn));
    EXPECT_EQ(Script("document.body.innerText"), "Bienvenue");
    EXPECT_EQ(Access::Settings(*window), nullptr);
}

}  // namespace
}  // namespace quillomat::testing
