#include "tests/support/real_clipboard_desktop.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

// Text with accented letters and mark-up, different at every position.
std::string LongText(const std::string& seed, std::size_t size)
{
    std::string text;
    for (int i = 0; text.size() < size; ++i)
        text += seed + " é" + std::to_string(i) + "[g]à ";
    return text;
}

class LargeTextTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(realClipboard,
                                              MainWindow::Options{{"http://127.0.0.1:9"}});
        window->show();
        Access::Text4(*window) = "42";
        Access::Label5(*window).set_text("42");
    }

    RealClipboardDesktop realClipboard;
};

// Far past the 65,535 characters of GTK's own text box buffer. (A megabyte each passes too, in
// half a minute: every redraw of the code box lays out again its one paragraph of several
// megabytes.)
TEST_F(LargeTextTest, LongCaptionsAreKeptWholeAndReachTheClipboard)
{
    constexpr std::size_t Size = 256 << 10;
    const std::string add = LongText("ajout", Size), separator = LongText("sep", Size),
                      read = LongText("lire", Size);
    Access::Caption(*window, 10).set_text(add);
    Access::Caption(*window, 11).set_text(separator);
    Access::Caption(*window, 12).set_text(read);
    EXPECT_EQ(Access::Caption(*window, 10).get_text().raw(), add);

    Access::Button(*window, 4).clicked();
    window->CopyLinkCode();
    const std::string code = Access::Text8(*window);
    EXPECT_GT(code.size(), 3 * Size);
    EXPECT_NE(code.find(add + " " + separator + "[/x][/a]"), std::string::npos);
    EXPECT_EQ(realClipboard.clipboardTexts.back(), code);
    EXPECT_EQ(ReadClipboardWithXclip(60s), code);
}

TEST_F(LargeTextTest, AMegabyteTemplateIsFilledAndCopiedExactly)
{
    Access::Check(*window, 3).set_active(false);
    std::string linkTemplate;
    for (int i = 0; linkTemplate.size() < (1 << 20); ++i)
        linkTemplate += "ligne " + std::to_string(i) + " [linkajout] ç [linklire]\n";
    Access::SetText7(*window, linkTemplate);

    Access::Button(*window, 4).clicked();
    window->CopyLinkCode();
    const std::string code = Access::Text8(*window);
    EXPECT_EQ(code.find("[linkajout]"), std::string::npos);
    EXPECT_EQ(code.find("[linklire]"), std::string::npos);
    EXPECT_EQ(ReadClipboardWithXclip(60s), code);
}

}  // namespace
}  // namespace quillomat::testing
