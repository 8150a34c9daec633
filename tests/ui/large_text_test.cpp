#include <glibmm/main.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/textview.h>

#include "tests/support/real_clipboard_desktop.h"
#include "tests/support/widget_probe.h"
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
        OpenWindow("http://127.0.0.1:9", &realClipboard);
        Access::Text4(*window) = "42";
        Access::Label5(*window).set_text("42");
    }

    RealClipboardDesktop realClipboard;
};

// Far past the 65,535 characters of GTK's own text box buffer.
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
    Access::Use(*window).CopyLinkCode();
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
    Access::Use(*window).CopyLinkCode();
    const std::string code = Access::Text8(*window);
    EXPECT_EQ(code.find("[linkajout]"), std::string::npos);
    EXPECT_EQ(code.find("[linklire]"), std::string::npos);
    EXPECT_EQ(ReadClipboardWithXclip(60s), code);
}

// Message boxes shown for real, so that the main loop runs while one is open, as for the user.
class RealBoxDesktop : public RealClipboardDesktop {
protected:
    void RunMessageBox(std::string_view text, MessageIcon icon, std::string_view title) override
    {
        RecordingDesktop::RunMessageBox(text, icon, title);
        GtkDesktopServices().ShowMessage(text, icon, title);
    }
};

bool PressReturnInShownBox()
{
    for (Gtk::Window* shown : Gtk::Window::list_toplevels())
        if (dynamic_cast<Gtk::MessageDialog*>(shown) && shown->get_mapped()) {
            PressKey(*shown, GDK_KEY_Return);
            return false;
        }
    return true;
}

// A 100,000-digit article number: its 200,000-character line froze the window for minutes, and
// the "code ready" box with it, unanswered.
TEST(HugeArticleTest, TheCodeReadyBoxAnswersReturnAndTheClipboardGetsTheCodeWhole)
{
    RealBoxDesktop desktop;
    MainWindow window(desktop, {{"http://127.0.0.1:9"}});
    window.show();
    ASSERT_TRUE(RunMainLoopUntil([&] { return window.get_mapped(); }, 10s));
    const std::string number(100000, '7');

    sigc::connection presser = Glib::signal_timeout().connect(&PressReturnInShownBox, 20);
    MainWindowTestAccess::Use(window).DetectArticle(
        "http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=" + number);
    // Back here only once the box has answered the key.
    EXPECT_FALSE(presser.connected());
    presser.disconnect();
    ASSERT_EQ(desktop.messages.size(), 1u);

    // The code box draws the start of the line and says that it holds more.
    auto& codeView =
        static_cast<Gtk::TextView&>(MainWindowTestAccess::FocusTarget(window, "Text8"));
    Gtk::TextIter start, end;
    codeView.get_buffer()->get_bounds(start, end);
    EXPECT_EQ(codeView.get_buffer()->get_text(start, end, false).size(), 4000u);
    EXPECT_EQ(codeView.get_tooltip_text(),
              "Ligne trop longue pour être affichée en entier : la suite est conservée et copiée "
              "avec le reste du texte.");

    const std::string code = MainWindowTestAccess::Text8(window);
    EXPECT_NE(code.find("id_article=" + number + "&"), std::string::npos);
    EXPECT_NE(code.find("/" + number + "_comment_1.html"), std::string::npos);
    EXPECT_EQ(ReadClipboardWithXclip(60s), code);
    // And so it does when the user copies the box's text himself.
    desktop.PutTextOnClipboard("");
    codeView.get_buffer()->select_range(start, end);
    g_signal_emit_by_name(codeView.gobj(), "copy-clipboard");
    EXPECT_EQ(ReadClipboardWithXclip(60s), code);
    window.hide();
}

}  // namespace
}  // namespace quillomat::testing
