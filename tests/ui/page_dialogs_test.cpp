#include <gtkmm/messagedialog.h>
#include <webkit2/webkit2.h>

#include "tests/support/loopback_site.h"
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
    Gtk::MessageDialog* box = nullptr;
    ASSERT_TRUE(RunMainLoopUntil(
        [&] {
            const auto shown = OtherWindows(*window);
            return shown.size() == 1 && (box = dynamic_cast<Gtk::MessageDialog*>(shown[0]));
        },
        20s));
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
        Gtk::MessageDialog* box = nullptr;
        ASSERT_TRUE(RunMainLoopUntil(
            [&] {
                const auto shown = OtherWindows(*window);
                return shown.size() == 1 && (box = dynamic_cast<Gtk::MessageDialog*>(shown[0]));
            },
            20s));
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
