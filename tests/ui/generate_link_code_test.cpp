#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

// The generator reads the window's own controls and fields: the worked example through them.
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

}  // namespace
}  // namespace quillomat::testing
