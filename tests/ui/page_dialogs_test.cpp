#include <glibmm/main.h>
#include <gtkmm/messagedialog.h>
#include <webkit2/webkit2.h>

#include "tests/support/loopback_site.h"
#include "tests/support/page_script.h"
#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

const std::string HomePage = "http://www.skyblog.com/";
const std::string TrapPage = "http://www.skyblog.com/piege";
const std::string NextPage = "http://www.skyblog.com/suite";

// The visible windows other than the main window.
std::vector<Gtk::Window*> OtherWindows(Gtk::Window& main)
{
    std::vector<Gtk::Window*> shown;
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (window != &main && window->get_visible())
            shown.push_back(window);
    return shown;
}

class PageDialogTest : public MainWindowTest {
protected:
    void Open(const std::string& trapScript)
    {
        site.AddPage(HomePage, "<p>Accueil</p>");
        site.AddPage(TrapPage, "<meta charset='utf-8'><script>" + trapScript + "</script>");
        site.AddPage(NextPage, "<p>Suite</p>");
        OpenWindow(site.ProxyAddress());
        ASSERT_TRUE(WaitForPage(HomePage));
    }

    // Waits for the page's box to be the one window shown beside the main window; none if it
    // never is.
    Gtk::MessageDialog* ThePagesBox()
    {
        Gtk::MessageDialog* box = nullptr;
        RunMainLoopUntil(
            [&] {
                const auto shown = OtherWindows(*window);
                return shown.size() == 1 && (box = dynamic_cast<Gtk::MessageDialog*>(shown[0]));
            },
            20s);
        return box;
    }

    LoopbackSite site;
};

struct TrapCase {
    const char* name;
    const char* script;
};

void PrintTo(const TrapCase& c, std::ostream* out)
{
    *out << c.name;
}

class DialogLoopTest : public PageDialogTest, public ::testing::WithParamInterface<TrapCase> {};

TEST_P(DialogLoopTest, GoLeavesAPageThatKeepsOpeningDialogs)
{
    Open(GetParam().script);
    Go(TrapPage);
    Gtk::MessageDialog* box = ThePagesBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->get_title(), "Message de la page");
    EXPECT_EQ(box->property_text().get_value(), "piège");
    // It leaves "Aller à..." within reach.
    EXPECT_FALSE(box->get_modal());

    Go(NextPage);
    ASSERT_TRUE(WaitForPage(NextPage));
    EXPECT_TRUE(OtherWindows(*window).empty());
}

INSTANTIATE_TEST_SUITE_P(
    , DialogLoopTest,
    ::testing::Values(TrapCase{"AlertsWithoutEnd", "for (;;) alert('piège');"},
                      TrapCase{"ConfirmsOneAfterAnother",
                               "(function ask() { confirm('piège'); setTimeout(ask, 0); })();"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageDialogTest, APageCannotPrintByItself)
{
    Open("for (let i = 0; i < 3; ++i) print(); document.title = 'imprimé';");
    Go(TrapPage);
    ASSERT_TRUE(RunMainLoopUntil(
        [&] {
            const char* title = webkit_web_view_get_title(View());
            return title && title == std::string("imprimé");
        },
        20s));
    EXPECT_TRUE(OtherWindows(*window).empty());
}

struct PrintCase {
    const char* name;
    bool inPopup;
    // Whether the user clicks in the page, long before it prints.
    bool clickFirst;
};

void PrintTo(const PrintCase& c, std::ostream* out)
{
    *out << c.name;
}

class PrintTest : public PageDialogTest, public ::testing::WithParamInterface<PrintCase> {
protected:
    // Counts the dialogs that open (WebKit's print dialog is one), and closes each at once.
    void CountPrintDialogs()
    {
        printWatch_ = Glib::signal_timeout().connect(
            [this] {
                for (Gtk::Window* each : Gtk::Window::list_toplevels())
                    if (each->get_visible() && GTK_IS_DIALOG(each->gobj())) {
                        ++dialogs;
                        gtk_dialog_response(GTK_DIALOG(each->gobj()), GTK_RESPONSE_CANCEL);
                    }
                return true;
            },
            50);
    }

    void TearDown() override
    {
        printWatch_.disconnect();
        PageDialogTest::TearDown();
    }

    int dialogs = 0;

private:
    sigc::connection printWatch_;
};

// A page prints every few tenths of a second by itself, or starting well over a second after a
// click: no print dialog holds the program, and "Aller à..." answers.
TEST_P(PrintTest, APageCannotPrintLongAfterAClick)
{
    const std::string printOnATimer =
        "let printed = 0; const start = () => setInterval(() => { print(); "
        "document.title = 'imprimé ' + ++printed; }, 300);";
    Open(printOnATimer + (GetParam().clickFirst ? "document.addEventListener('mousedown', () => "
                                                  "setTimeout(start, 1500), {once: true});"
                                                : "start();"));
    CountPrintDialogs();
    WebKitWebView* printing = View();
    if (GetParam().inPopup) {
        ASSERT_EQ(PageScriptResult(View(),
                                   "window.open('/piege', 'piege', 'width=320,height=240') "
                                   "? 'open' : 'refused'"),
                  "open");
        ASSERT_TRUE(RunMainLoopUntil([&] { return OtherWindows(*window).size() == 1; }, 20s));
        Gtk::Window* popup = OtherWindows(*window)[0];
        printing = WEBKIT_WEB_VIEW(popup->get_child()->gobj());
        // The page listens for the click once loaded.
        ASSERT_TRUE(RunMainLoopUntil(
            [&] {
                const char* address = webkit_web_view_get_uri(printing);
                return address && address == TrapPage && !webkit_web_view_is_loading(printing);
            },
            20s));
        if (GetParam().clickFirst)
            ClickWithMouse(*popup->get_child());
    } else {
        Go(TrapPage);
        ASSERT_TRUE(WaitForPage(TrapPage));
        if (GetParam().clickFirst)
            ClickWithMouse(Access::Pane(*window).Widget());
    }
    ASSERT_TRUE(RunMainLoopUntil(
        [&] {
            const char* title = webkit_web_view_get_title(printing);
            return title && title == std::string("imprimé 3");
        },
        20s));
    EXPECT_EQ(dialogs, 0);

    Go(NextPage);
    EXPECT_TRUE(WaitForPage(NextPage));
}

INSTANTIATE_TEST_SUITE_P(, PrintTest,
                         ::testing::Values(PrintCase{"PopUpOnATimer", true, false},
                                           PrintCase{"PopUpAfterAnOldClick", true, true},
                                           PrintCase{"PaneAfterAnOldClick", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PromptCase {
    const char* name;
    const char* offered;  // the text the page offers, as a script's expression
    bool shown;           // whether the user is asked at all
    const char* answer;   // what the page gets back, as its script reports it
};

void PrintTo(const PromptCase& c, std::ostream* out)
{
    *out << c.name;
}

class PromptTest : public PageDialogTest, public ::testing::WithParamInterface<PromptCase> {};

// A prompt's text comes back whole, or the prompt is refused as if cancelled: never cut.
TEST_P(PromptTest, APromptGivesItsTextBackWholeOrNotAtAll)
{
    Open("const offered = " + std::string(GetParam().offered) +
         "; const answer = prompt('piège', offered);"
         "document.title = answer === null ? 'refusé' : answer === offered ? 'entier' : 'coupé';");
    Go(TrapPage);
    if (GetParam().shown) {
        Gtk::MessageDialog* box = ThePagesBox();
        ASSERT_NE(box, nullptr);
        box->response(Gtk::RESPONSE_OK);
    }
    ASSERT_TRUE(RunMainLoopUntil(
        [&] {
            const char* title = webkit_web_view_get_title(View());
            return title && *title;
        },
        20s));
    EXPECT_STREQ(webkit_web_view_get_title(View()), GetParam().answer);
    EXPECT_TRUE(OtherWindows(*window).empty());
}

INSTANTIATE_TEST_SUITE_P(
    , PromptTest,
    // The box holds 65,534 bytes: 32,767 "é".
    ::testing::Values(PromptCase{"AsLongAsTheBoxHolds", "'é'.repeat(32767)", true, "entier"},
                      PromptCase{"LongerRefused", "'é'.repeat(32767) + '.'", false, "refusé"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillomat::testing
