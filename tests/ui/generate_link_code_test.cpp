#include <glibmm/main.h>
#include <gtkmm/buttonbox.h>
#include <gtkmm/messagedialog.h>

#include "app/desktop/gtk_desktop_services.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

const std::string NoArticleError = "Erreur pas de numéro d'article !";
const std::string NoArticleAdvice =
    "Vous ne devez pas \"Créer un article\" mais \"Editer\" un article pour avoir ce numéro.";

TEST_F(MainWindowTest, WithoutAnArticleTheTemplateIsRefreshedAndTwoMessagesShown)
{
    OpenWindow();
    Access::SetText8(*window, "previous code");
    Access::Button(*window, 4).clicked();

    EXPECT_EQ(Access::Text7(*window),
              "[a=[linkajout]][c=#333333][s][x=#800080-#80FFFF]Ajouter un commentaire "
              "/[/x][/a][a=[linklire]][c=#333333][s][x=#80FFFF-#800080] Lire les "
              "commentaires[/x][/a]");
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text, NoArticleError);
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(desktop.messages[0].title, "Quillomat");
    EXPECT_EQ(desktop.messages[1].text, NoArticleAdvice);
    EXPECT_EQ(desktop.messages[1].icon, MessageIcon::Information);
    EXPECT_EQ(desktop.messages[1].title, "Quillomat");
    EXPECT_EQ(Access::Text8(*window), "previous code");
    EXPECT_TRUE(desktop.clipboardTexts.empty());
}

TEST_F(MainWindowTest, WithAnArticleTheWorkedExampleIsWritten)
{
    OpenWindow();
    Access::Swatch(*window, 1).SetColour(255);
    Access::Swatch(*window, 2).SetColour(40960);
    Access::Swatch(*window, 3).SetColour(16711680);
    Access::Text3(*window) = "7";
    Access::Text2(*window) = "12345678";
    Access::Text1(*window) = "brennic.skyblog.com";
    Access::Caption(*window, 10).set_text("[g]Ajouter un commentaire[/g]");
    Access::Caption(*window, 11).set_text("[g]/[/g]");
    Access::Caption(*window, 12).set_text("[g]Lire les commentaires[/g]");
    Access::Text4(*window) = "3141592";
    Access::Label5(*window).set_text("3141592");

    Access::Button(*window, 4).clicked();

    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(desktop.clipboardTexts.empty());
    const std::string add =
        "http://www.skyblog.com/admBloger/commentaireForm.phtml?"
        "id_skynaute=12345678&id_article=3141592&id_template=7";
    const std::string read = "http://brennic.skyblog.com/3141592_comment_1.html?7";
    EXPECT_EQ(Access::Text5(*window), add);
    EXPECT_EQ(Access::Text6(*window), read);
    const std::string linkTemplate =
        "[a=[linkajout]][c=#629962][s][x=#FF0000-#00A000][g]Ajouter un commentaire[/g] "
        "[g]/[/g][/x][/a][a=[linklire]][c=#629962][s][x=#00A000-#0000FF] [g]Lire les "
        "commentaires[/g][/x][/a]";
    EXPECT_EQ(Access::Text7(*window), linkTemplate);
    EXPECT_EQ(Access::Text8(*window),
              "[a=" + add +
                  "][c=#629962][s][x=#FF0000-#00A000][g]Ajouter un commentaire[/g] "
                  "[g]/[/g][/x][/a][a=" +
                  read + "][c=#629962][s][x=#00A000-#0000FF] [g]Lire les commentaires[/g][/x][/a]");
}

// Finds the message box on screen, records it and presses its only button.
struct MessageBoxCloser {
    struct Seen {
        std::string text;
        std::string title;
        std::vector<std::string> buttons;
        bool modal;
    };
    std::vector<Seen> seen;

    bool CloseOpenBox()
    {
        for (Gtk::Window* window : Gtk::Window::list_toplevels()) {
            auto* box = dynamic_cast<Gtk::MessageDialog*>(window);
            if (!box || !box->get_visible())
                continue;
            Seen record{box->property_text().get_value(), box->get_title(), {}, box->get_modal()};
            for (Gtk::Widget* child : box->get_action_area()->get_children())
                if (auto* button = dynamic_cast<Gtk::Button*>(child))
                    record.buttons.push_back(button->get_label());
            seen.push_back(record);
            box->response(Gtk::RESPONSE_OK);
            return true;
        }
        return true;
    }
};

TEST(RealMessageBoxTest, NoArticleMessagesAreModalBoxesWithASingleOkButton)
{
    GtkDesktopServices desktop;
    MainWindow window(desktop, {{"http://127.0.0.1:9"}});
    window.show();
    MessageBoxCloser closer;
    auto timer =
        Glib::signal_timeout().connect(sigc::mem_fun(closer, &MessageBoxCloser::CloseOpenBox), 300);
    MainWindowTestAccess::Button(window, 4).clicked();
    timer.disconnect();

    ASSERT_EQ(closer.seen.size(), 2u);
    EXPECT_EQ(closer.seen[0].text, NoArticleError);
    EXPECT_EQ(closer.seen[1].text, NoArticleAdvice);
    for (const auto& box : closer.seen) {
        EXPECT_EQ(box.title, "Quillomat");
        EXPECT_TRUE(box.modal);
        EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
    }
}

}  // namespace
}  // namespace quillomat::testing
