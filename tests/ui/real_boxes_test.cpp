// The main use with the real message boxes and clipboard, as the user and another program see it.
#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <glibmm/main.h>
#include <gtkmm/buttonbox.h>
#include <gtkmm/clipboard.h>
#include <gtkmm/image.h>
#include <gtkmm/messagedialog.h>

#include <gio/gio.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/desktop/gtk_desktop_services.h"
#include "tests/support/clipboard_reader.h"
#include "tests/support/loopback_site.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

const std::string Home = "http://www.skyblog.com/";
const std::string Article = "http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=123";
const std::string NoArticleError = "Erreur pas de numéro d'article !";
std::string Page(const std::string& head, const std::string& body)
{
    return "<!DOCTYPE html><html><head><meta charset='utf-8'>" + head + "</head><body>" + body +
           "</body></html>";
}

// Looks at the box on screen from inside its own loop; `look` answers whether the user closes it.
class BoxWatch {
public:
    struct Seen {
        std::string text, title, icon;
        bool modal;
        std::vector<std::string> buttons;
    };

    explicit BoxWatch(std::function<bool(const Seen&)> look) : look_(std::move(look))
    {
        timer_ = Glib::signal_timeout().connect(sigc::mem_fun(*this, &BoxWatch::Look), 20);
    }
    ~BoxWatch() { timer_.disconnect(); }

    std::vector<Seen> closed;
    std::size_t open = 0, mostAtOnce = 0;

private:
    bool Look()
    {
        // What `look` does may run the loop again (another program reading the clipboard).
        if (std::exchange(looking_, true))
            return true;
        std::vector<Gtk::MessageDialog*> boxes;
        for (Gtk::Window* window : Gtk::Window::list_toplevels())
            if (auto* box = dynamic_cast<Gtk::MessageDialog*>(window); box && box->get_mapped())
                boxes.push_back(box);
        open = boxes.size();
        mostAtOnce = std::max(mostAtOnce, open);
        if (!boxes.empty()) {
            Gtk::MessageDialog& box = *boxes.front();
            auto* image = dynamic_cast<Gtk::Image*>(box.get_image());
            Seen seen{box.property_text().get_value(),
                      box.get_title(),
                      image ? image->get_icon_name() : "",
                      box.get_modal(),
                      {}};
            for (Gtk::Widget* child : box.get_action_area()->get_children())
                seen.buttons.push_back(static_cast<Gtk::Button*>(child)->get_label());
            if (look_(seen)) {
                closed.push_back(seen);
                box.response(Gtk::RESPONSE_OK);
            }
        }
        looking_ = false;
        return true;
    }

    std::function<bool(const Seen&)> look_;
    sigc::connection timer_;
    bool looking_ = false;
};

// The clipboard as another program reads it, or the empty text when it holds no text.
std::string Pasted()
{
    try {
        return ReadClipboardWithXclip(20s);
    } catch (const std::exception&) {
        return "";
    }
}

class RealBoxesTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        site.AddPage(Home, Page("", "Accueil"));
        site.AddPage(Article, Page("", "Article 123"));
        OpenWindow(site.ProxyAddress(), &realDesktop);
        ASSERT_TRUE(RunMainLoopUntil(
            [&] { return Access::Text9(*window) == Home && !webkit_web_view_is_loading(View()); },
            30s));
    }

    GtkDesktopServices realDesktop;
    LoopbackSite site;
};

// "Créer les liens pour l'article en cours..." on a page that moves on to an article by itself.
TEST_F(RealBoxesTest, AnArticleShownBehindTheGeneratorsMessagesWaitsForThem)
{
    const std::string comingUp = "http://www.skyblog.com/nouvel-article";
    site.AddPage(comingUp, Page("<meta http-equiv='refresh' content='0;url=" + Article + "'>",
                                "Nouvel article"));
    // The article's answer comes only once the first message is on screen.
    site.HoldAnswersTo(Article);
    Go(comingUp);
    ASSERT_TRUE(RunMainLoopUntil([&] { return site.WasRequested(Article); }, 30s));
    ASSERT_EQ(Access::Text9(*window), comingUp);
    Gtk::Clipboard::get()->set_text("avant");

    // The clipboard as another program reads it when each box is closed.
    std::vector<std::string> pasted;
    BoxWatch watch([&](const BoxWatch::Seen& box) {
        if (box.text == NoArticleError) {
            site.ReleaseHeldAnswers();
            if (Access::Text9(*window) != Article || webkit_web_view_is_loading(View()))
                return false;
        }
        pasted.push_back(Pasted());
        return true;
    });
    Access::Button(*window, 4).clicked();
    ASSERT_TRUE(RunMainLoopUntil([&] { return watch.closed.size() == 3; }, 60s));
    ASSERT_TRUE(RunMainLoopUntilIdle(10s));

    EXPECT_EQ(watch.mostAtOnce, 1u) << "a box over another";
    ASSERT_EQ(watch.closed.size(), 3u) << "a further message";
    const std::pair<std::string_view, std::string> expected[] = {
        {NoArticleError, "dialog-error"},
        {"Vous ne devez pas \"Créer un article\" mais \"Editer\" un article pour avoir ce numéro.",
         "dialog-information"},
        {"Quillomat vient de générer et copier le code pour cet article.\n"
         "Vous pouvez à présent coller vos liens dans votre article!",
         "dialog-information"}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(watch.closed[i].text, expected[i].first);
        EXPECT_EQ(watch.closed[i].icon, expected[i].second);
        EXPECT_TRUE(watch.closed[i].modal);
        EXPECT_EQ(watch.closed[i].buttons, std::vector<std::string>{"OK"});
    }
    EXPECT_EQ(Access::Label5(*window).get_text(), "123");
    EXPECT_EQ(pasted, (std::vector<std::string>{"avant", "avant", Access::Text8(*window)}));
}

// Another program holding the clipboard with `text`, taking it back at once whenever it loses it.
class ClipboardContender {
public:
    explicit ClipboardContender(const std::string& text)
    {
        const char* argv[] = {QUILLOMAT_X_WINDOW_TOOL, "own-clipboard", text.c_str(), nullptr};
        process_ = g_subprocess_newv(argv, G_SUBPROCESS_FLAGS_STDOUT_PIPE, nullptr);
        if (!process_)
            return;
        char ready[6] = {};
        g_input_stream_read_all(g_subprocess_get_stdout_pipe(process_), ready, 5, nullptr, nullptr,
                                nullptr);
        ready_ = std::string(ready) == "ready";
    }
    ~ClipboardContender()
    {
        if (!process_)
            return;
        g_subprocess_force_exit(process_);
        g_subprocess_wait(process_, nullptr, nullptr);
        g_object_unref(process_);
    }
    bool Ready() const { return ready_; }

private:
    GSubprocess* process_ = nullptr;
    bool ready_ = false;
};

struct ContestCase {
    const char* name;
    std::string contender;  // the other program's clipboard text, which another one then reads
    std::string box, icon, title;
    friend void PrintTo(const ContestCase& c, std::ostream* out) { *out << c.name; }
};

class ContestedCopyTest : public RealBoxesTest,
                          public ::testing::WithParamInterface<ContestCase> {};

// "Copier" while another program watches the clipboard, which is never taken back from it.
TEST_P(ContestedCopyTest, ACopyIsAnnouncedOnlyWhenTheClipboardHoldsTheCode)
{
    Access::SetText8(*window, "le code de l'article");
    const ClipboardContender contender(GetParam().contender);
    ASSERT_TRUE(contender.Ready());

    std::string pasted;
    BoxWatch watch([&](const BoxWatch::Seen&) {
        pasted = Pasted();
        return true;
    });
    Access::Button(*window, 5).clicked();
    ASSERT_TRUE(RunMainLoopUntil([&] { return watch.closed.size() == 1; }, 30s));
    const BoxWatch::Seen& box = watch.closed.front();
    EXPECT_EQ(box.text, GetParam().box);
    EXPECT_EQ(box.icon, GetParam().icon);
    EXPECT_EQ(box.title, GetParam().title);
    EXPECT_EQ(pasted, GetParam().contender);
    // Once the notices the other program's claim left waiting have come, nothing changed.
    ASSERT_TRUE(RunMainLoopUntilIdle(10s));
    EXPECT_EQ(Pasted(), GetParam().contender);
}

INSTANTIATE_TEST_SUITE_P(
    , ContestedCopyTest,
    ::testing::Values(
        ContestCase{"AnotherProgramTakesItBackAtOnce", "autre programme",
                    "Quillomat n'a pas pu copier le code : un autre programme occupe le "
                    "presse-papiers.\nCliquez sur « Copier » pour réessayer.",
                    "dialog-error", "Quillomat"},
        // As a clipboard manager that keeps a copy of each text does.
        ContestCase{"AnotherProgramKeepsACopy", "le code de l'article",
                    "Quillomat vient de générer et copier le code pour cet article.\nVous pouvez "
                    "à présent coller vos liens dans votre article!",
                    "dialog-information", "Quillomat par Brennic"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillomat::testing
