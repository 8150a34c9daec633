#include <glibmm/main.h>
#include <gtkmm/messagedialog.h>
#include <webkit2/webkit2.h>

#include <optional>

#include "main_use/program_end.h"
#include "tests/support/loopback_site.h"
#include "tests/support/page_pop_ups.h"
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

    // The page's box once it is the one window shown beside the main window; none if it never is.
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

enum class UserAction { None, Types, ClicksLeft, ClicksRight };

struct PrintCase {
    const char* name;
    const char* handler;  // the print button's, calling attempt(): it prints, counts in the title
    const char* script;
    bool inPopup;
    UserAction user;
    bool programEnds;
    const char* dialog;  // the print dialog shown, its GTK type over its window; or none
    friend void PrintTo(const PrintCase& c, std::ostream* out) { *out << c.name; }
};

class PrintTest : public PageDialogTest, public ::testing::WithParamInterface<PrintCase> {};

int Attempts(WebKitWebView* view)
{
    const char* title = webkit_web_view_get_title(view);
    return title ? std::atoi(title) : 0;
}

// Only a left click on the print button opens the dialog, once, over the page's window; a timer,
// a right click or a program that ends prints nothing, even between the user's keys.
TEST_P(PrintTest, APagePrintsOnlyFromTheUsersOwnAction)
{
    const PrintCase& c = GetParam();
    Open(std::string("let tries = 0; const attempt = () => { print(); document.title = ++tries; };"
                     "addEventListener('load', () => { document.body.innerHTML = \"<button "
                     "style='position:fixed;inset:0' oncontextmenu='return false' ") +
         c.handler +
         "='attempt()'>Imprimer</button><textarea></textarea>\";"
         "document.querySelector('textarea').focus(); });" +
         c.script);
    WebKitWebView* printing = View();
    Gtk::Widget* page = &Access::Pane(*window).Widget();
    if (c.inPopup) {
        ASSERT_EQ(PageScriptResult(View(),
                                   "window.open('/piege', 'piege', 'width=320,height=240')"
                                   " ? 'open' : 'refused'"),
                  "open");
        ASSERT_TRUE(RunMainLoopUntil([&] { return PagePopUps(*window).size() == 1; }, 20s));
        page = PagePopUps(*window)[0]->get_child();
        printing = WEBKIT_WEB_VIEW(page->gobj());
    } else {
        Go(TrapPage);
    }
    ASSERT_TRUE(RunMainLoopUntil(
        [&] {
            const char* address = webkit_web_view_get_uri(printing);
            return address && address == TrapPage && !webkit_web_view_is_loading(printing);
        },
        20s));
    if (c.programEnds)
        BeginProgramEnd();
    // Each dialog is closed as soon as it shows; its loop holds the test's meanwhile.
    std::string seen;
    sigc::connection watch = Glib::signal_timeout().connect(
        [&] {
            for (Gtk::Window* each : OtherWindows(*window))
                if (GTK_IS_DIALOG(each->gobj())) {
                    seen += G_OBJECT_TYPE_NAME(each->gobj()) +
                            std::string(each->get_transient_for() == window.get() ? " over main"
                                                                                  : " over pop-up");
                    gtk_dialog_response(GTK_DIALOG(each->gobj()), GTK_RESPONSE_CANCEL);
                }
            return true;
        },
        20);
    const int before = Attempts(printing);
    if (c.user == UserAction::ClicksLeft || c.user == UserAction::ClicksRight)
        ClickWithMouse(*page, 1, c.user == UserAction::ClicksLeft ? 1 : 3);
    if (c.user == UserAction::Types) {
        page->grab_focus();
        // Each key is followed by a print of the page's timer, all within a second of a space.
        for (const char* typed = "Hello monde"; *typed; ++typed) {
            const int attempts = Attempts(printing);
            PressKey(*static_cast<Gtk::Window*>(page->get_toplevel()),
                     gdk_unicode_to_keyval(static_cast<guint32>(*typed)));
            ASSERT_TRUE(RunMainLoopUntil([&] { return Attempts(printing) > attempts; }, 20s));
        }
        EXPECT_EQ(PageScriptResult(printing, "document.querySelector('textarea').value"),
                  "Hello monde");
    }
    ASSERT_TRUE(RunMainLoopUntil([&] { return Attempts(printing) > before; }, 20s));
    // What the attempt let through has come once the page has answered again.
    EXPECT_EQ(PageScriptResult(printing, "'encore'"), "encore");
    RunMainLoopUntil([&] { return !seen.empty(); }, *c.dialog ? 20s : 0s);
    ASSERT_TRUE(RunMainLoopUntilIdle(10s));
    watch.disconnect();
    EXPECT_EQ(seen, c.dialog);
    if (!c.programEnds) {
        Go(NextPage);
        EXPECT_TRUE(WaitForPage(NextPage));
    }
}

INSTANTIATE_TEST_SUITE_P(
    , PrintTest,
    ::testing::Values(PrintCase{"AButtonClicked", "onclick", "", false, UserAction::ClicksLeft,
                                false, "GtkPrintUnixDialog over main"},
                      PrintCase{"AButtonClickedInAPopUp", "onclick", "", true,
                                UserAction::ClicksLeft, false, "GtkPrintUnixDialog over pop-up"},
                      PrintCase{"OnATimerWhileTheUserTypes", "onclick",
                                "setInterval(attempt, 150);", false, UserAction::Types, false, ""},
                      PrintCase{"AButtonRightClicked", "onmousedown", "", false,
                                UserAction::ClicksRight, false, ""},
                      PrintCase{"AButtonClickedAsTheProgramEnds", "onclick", "", false,
                                UserAction::ClicksLeft, true, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct PromptCase {
    const char* name;
    const char* offered;  // the text the page offers, as a script's expression
    bool shown;           // whether the user is asked at all
    const char* answer;   // what the page gets back, as its script reports it
    friend void PrintTo(const PromptCase& c, std::ostream* out) { *out << c.name; }
};

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

struct ModalCase {
    const char* name;
    const char* script;  // opens the window, at once or at the user's click
    bool click;
    const char* windowType;  // none for WebKit's log-in dialog, which stands in the page
    friend void PrintTo(const ModalCase& c, std::ostream* out) { *out << c.name; }
};

class ModalBoxTest : public PageDialogTest, public ::testing::WithParamInterface<ModalCase> {};

// Every window that holds the user is a box: nothing is detected or copied while it is open.
TEST_P(ModalBoxTest, DetectionWaitsWhileItIsOpenAndOneBoxComesAfter)
{
    const ModalCase& c = GetParam();
    // An article behind the log-in: once answered, the page shown is the article announced.
    const std::string logIn =
        "http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=123";
    site.AddDownload(HomePage + "notes.txt", "notes.txt", "contenu");
    site.AddLogInPage(logIn, "<p>Bienvenue</p>");
    Open(std::string("const fill = (html) => addEventListener('load', () => document.body"
                     ".innerHTML = html.replace('>', \" style='position:fixed;left:0;top:0;"
                     "width:100%;height:100%'>\"));") +
         c.script);
    window->present();
    Go(c.windowType ? TrapPage : logIn);
    if (c.click) {
        ASSERT_TRUE(WaitForPage(TrapPage));
        ClickWithMouse(Access::Pane(*window).Widget());
    }

    // Looked at from inside the window's own loop, if it has one.
    std::optional<std::size_t> messagesMeanwhile, copiesMeanwhile;
    sigc::connection watch = Glib::signal_timeout().connect(
        [&] {
            Gtk::Window* open = nullptr;
            for (Gtk::Window* each : OtherWindows(*window))
                if (c.windowType &&
                    g_type_is_a(G_OBJECT_TYPE(each->gobj()), g_type_from_name(c.windowType)))
                    open = each;
            auto* logInName = dynamic_cast<Gtk::Entry*>(window->get_focus());
            const bool logInOpen = !c.windowType && logInName &&
                                   logInName->is_ancestor(Access::Pane(*window).Widget());
            if (!(open || logInOpen))
                return true;
            if (!messagesMeanwhile) {
                window->MirrorCurrentAddress(logIn);
                messagesMeanwhile = desktop.messages.size();
                copiesMeanwhile = desktop.clipboardTexts.size();
            }
            // Until it goes: a key may come before the dialog takes it.
            if (open) {
                gtk_dialog_response(GTK_DIALOG(open->gobj()), GTK_RESPONSE_CANCEL);
            } else {
                logInName->set_text("moi");
                PressKey(*window, GDK_KEY_Return);
            }
            return true;
        },
        20);
    ASSERT_TRUE(RunMainLoopUntil([&] { return !desktop.messages.empty(); }, 20s));
    ASSERT_TRUE(RunMainLoopUntilIdle(10s));
    watch.disconnect();
    EXPECT_EQ(messagesMeanwhile, 0u);
    EXPECT_EQ(copiesMeanwhile, 0u);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              "Quillomat vient de générer et copier le code pour cet article.\n"
              "Vous pouvez à présent coller vos liens dans votre article!");
    EXPECT_EQ(desktop.clipboardTexts, std::vector<std::string>{Access::Text8(*window)});
}

INSTANTIATE_TEST_SUITE_P(
    , ModalBoxTest,
    ::testing::Values(ModalCase{"SaveDialogOfADownload", "fill(\"<iframe src='/notes.txt'>\");",
                                false, "GtkFileChooserDialog"},
                      ModalCase{"PrintDialog", "fill(\"<button onclick='print()'>\");", true,
                                "GtkPrintUnixDialog"},
                      ModalCase{"FileChooserOfAnUploadField", "fill(\"<input type='file'>\");",
                                true, "GtkFileChooserDialog"},
                      ModalCase{"ColourDialogOfAColourField", "fill(\"<input type='color'>\");",
                                true, "GtkColorChooserDialog"},
                      ModalCase{"PagesOwnMessage", "alert('piège');", false, "GtkMessageDialog"},
                      ModalCase{"LogInDialog", "", false, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillomat::testing
