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

}  // namespace
}  // namespace quillomat::testing
