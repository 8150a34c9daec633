#include "main_use/main_use.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <optional>

namespace quillomat {
namespace {

const std::string Edit = "http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=";
const std::string List = "http://www.skyblog.com/liste";

// What the user sees, in the order it happens.
using Log = std::vector<std::string>;

// The article whose code a text is, or the text.
std::string ArticleOf(const std::string& code)
{
    const std::size_t start = code.find("id_article="), end = code.find("&id_template");
    return start == std::string::npos ? code : code.substr(start + 11, end - start - 11);
}

class FakeControls : public MainUseControls {
public:
    explicit FakeControls(Log& log) : log_(log) {}

    ShownControls Read() const override
    {
        return {{255, 40960, 16711680}, automatic, "Ajouter", "/", "Lire", label5_, Text7, Text8};
    }
    void ShowArticle(const std::string& number) override
    {
        label5_ = number;
        log_.push_back(number.empty() ? "no article" : "article " + number);
    }
    void ShowLinkTemplate(const std::string& text) override
    {
        Text7 = text;
        log_.push_back("template");
    }
    void ShowLinkCode(const std::string& text) override
    {
        Text8 = text;
        log_.push_back("code " + ArticleOf(text));
    }

    bool automatic = true;
    std::string Text7 = "[linkajout]";
    std::string Text8 = "old code";

private:
    Log& log_;
    std::string label5_;
};

// The desktop without a display: a box stays open while its actions run; the loop is a task queue.
class FakeDesktop : public MainUseDesktop {
public:
    explicit FakeDesktop(Log& log) : log_(log) {}

    void RunMainLoop()
    {
        for (; !idle_.empty(); idle_.pop_front())
            idle_.front()();
    }

    std::function<void(int box)> whileOpen;
    bool clipboardRefuses = false;

protected:
    void RunMessageBox(std::string_view text, MessageIcon icon, std::string_view title) override
    {
        const std::map<std::string_view, std::string> names = {
            {"Erreur pas de numéro d'article !", "no number"},
            {"Vous ne devez pas \"Créer un article\" mais \"Editer\" un article pour avoir ce "
             "numéro.",
             "advice"},
            {"Quillomat vient de générer et copier le code pour cet article.\n"
             "Vous pouvez à présent coller vos liens dans votre article!",
             "copied"},
            {"Quillomat n'a pas pu copier le code : un autre programme occupe le presse-papiers.\n"
             "Cliquez sur « Copier » pour réessayer.",
             "not copied"}};
        const auto name = names.find(text);
        log_.push_back("box " + (name == names.end() ? std::string(text) : name->second) +
                       (icon == MessageIcon::Error ? " (error, " : " (information, ") +
                       std::string(title) + ")");
        if (whileOpen)
            whileOpen(boxes_++);
    }
    bool PlaceOnClipboard(std::string_view text) override
    {
        if (!clipboardRefuses)
            log_.push_back("clipboard " + ArticleOf(std::string(text)));
        return !clipboardRefuses;
    }
    void RunWhenIdle(std::function<void()> task) override { idle_.push_back(std::move(task)); }
    void HideOpenBoxes() override { log_.push_back("boxes hidden"); }

private:
    Log& log_;
    std::deque<std::function<void()>> idle_;
    int boxes_ = 0;
};

struct MainUseHarness {
    Log log;
    FakeDesktop desktop{log};
    FakeControls controls{log};
    MainUse use{desktop, controls};
    // A box that does not hold the program while open: a save dialog, a page's dialog.
    std::unique_ptr<MainUseDesktop::Turn> dialogTurn;
    std::optional<MainUseDesktop::OpenBox> dialog;
};

// One event of the window or of the pane.
using Action = std::function<void(MainUseHarness&)>;
// The pane showing another document, or the page shown moving itself (a script).
Action Pane(const std::string& address)
{
    return [address](MainUseHarness& h) {
        h.use.OnLocationChanged(address, AddressChange::NewDocument);
    };
}
Action Moved(const std::string& address)
{
    return [address](MainUseHarness& h) {
        h.use.OnLocationChanged(address, AddressChange::SameDocument);
    };
}
const Action UserActs = [](MainUseHarness& h) { h.use.OnUserActedInPage(); };
const Action Generate = [](MainUseHarness& h) { h.use.OnGenerateClicked(); };
const Action Copy = [](MainUseHarness& h) { h.use.OnCopyClicked(); };
const Action OtherBox = [](MainUseHarness& h) {
    h.desktop.ShowMessage("other", MessageIcon::Error, ApplicationTitle);
};
const Action LastBox = [](MainUseHarness& h) {
    h.desktop.ShowLastMessage("last", MessageIcon::Error, ApplicationTitle);
};
const Action OpenDialog = [](MainUseHarness& h) {
    h.dialogTurn = h.desktop.AwaitTurn([&h] {
        h.log.push_back("dialog");
        h.dialog.emplace(h.desktop);
    });
};
const Action CloseDialog = [](MainUseHarness& h) { h.dialog.reset(); };
const Action WithdrawDialog = [](MainUseHarness& h) { h.dialogTurn.reset(); };

struct Scenario {
    const char* name;
    std::vector<Action> events;
    Log seen;
    std::map<int, std::vector<Action>> whileOpen = {};  // what comes while box N (from 0) is open
    bool automatic = true;
    bool clipboardRefuses = false;
    friend void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }
};

const std::string Copied = "box copied (information, Quillomat par Brennic)";
const std::string NoNumber = "box no number (error, Quillomat)";
const std::string Advice = "box advice (information, Quillomat)";

// Each event handled, then the main loop run until nothing waits, as in the program.
class MainUseTest : public ::testing::TestWithParam<Scenario> {
protected:
    void TearDown() override { EXPECT_FALSE(h.desktop.BoxOpen()); }

    MainUseHarness h;
};

TEST_P(MainUseTest, TheUserSeesThisInThisOrder)
{
    const Scenario& scenario = GetParam();
    h.controls.automatic = scenario.automatic;
    h.desktop.clipboardRefuses = scenario.clipboardRefuses;
    h.desktop.whileOpen = [&](int box) {
        if (const auto found = scenario.whileOpen.find(box); found != scenario.whileOpen.end())
            for (const Action& action : found->second)
                action(h);
    };
    for (const Action& event : scenario.events) {
        event(h);
        h.desktop.RunMainLoop();
    }
    EXPECT_EQ(h.log, scenario.seen);
}

const auto Name = [](const auto& info) { return info.param.name; };

INSTANTIATE_TEST_SUITE_P(AnArticlePageGivesItsCodeOnTheClipboardAndOneBox, MainUseTest,
                         ::testing::Values(Scenario{"Article",
                                                    {Pane(Edit + "123")},
                                                    {"article 123", "template", "code 123",
                                                     "clipboard 123", Copied}},
                                           Scenario{"UsersOwnTemplate",
                                                    {Pane(Edit + "5"), Pane(Edit + "5")},
                                                    {"article 5", "code 5", "clipboard 5", Copied},
                                                    {},
                                                    false},
                                           Scenario{"OtherPage", {Pane(List)}, {"no article"}}),
                         Name);

// The pane reports on while a box is open: nothing is detected, copied or shown meanwhile; once
// the last box has closed, the page shown then is detected once, unless it was the last one.
INSTANTIATE_TEST_SUITE_P(
    OnlyThePageShownOnceTheBoxesCloseIsDetected, MainUseTest,
    ::testing::Values(
        Scenario{"GeneratorMessages",
                 {Generate},
                 {"template", NoNumber, Advice, "article 123", "template", "code 123",
                  "clipboard 123", Copied},
                 {{0, {Pane(Edit + "123")}}}},
        Scenario{"CopyBox",
                 {Pane(Edit + "1")},
                 {"article 1", "template", "code 1", "clipboard 1", Copied, "article 3", "template",
                  "code 3", "clipboard 3", Copied},
                 {{0, {Pane(Edit + "2"), Pane(List), Pane(Edit + "3")}}}},
        Scenario{"BackToTheLastArticle",
                 {Pane(Edit + "1")},
                 {"article 1", "template", "code 1", "clipboard 1", Copied},
                 {{0, {Pane(List), Pane(Edit + "1")}}}},
        Scenario{"AnyOtherBox",
                 {OtherBox},
                 {"box other (error, Quillomat)", "no article"},
                 {{0, {Pane(List)}}}},
        Scenario{"ButtonsPressedMeanwhile",
                 {Copy},
                 {"clipboard old code", Copied},
                 {{0, {Copy, Generate}}}},
        Scenario{"AMessageAskedForMeanwhileComesFirst",
                 {Copy},
                 {"clipboard old code", Copied, "box other (error, Quillomat)", "no article"},
                 {{0, {OtherBox, Pane(List)}}}},
        Scenario{"TheLastMessageTakesThePlaceOfTheBoxOpen",
                 {Copy},
                 {"clipboard old code", Copied, "boxes hidden", "box last (error, Quillomat)"},
                 {{0, {LastBox}}}},
        Scenario{"ADialogThatLeavesTheProgramFree",
                 {OpenDialog, Pane(Edit + "1"), Copy, CloseDialog},
                 {"dialog", "article 1", "template", "code 1", "clipboard 1", Copied}},
        Scenario{"ADialogAskedForMeanwhileWaitsItsTurn",
                 {Pane(Edit + "1"), Pane(List), CloseDialog},
                 {"article 1", "template", "code 1", "clipboard 1", Copied, "dialog", "no article"},
                 {{0, {OpenDialog}}}},
        Scenario{"ADialogWithdrawnBeforeItsTurn",
                 {Pane(Edit + "1")},
                 {"article 1", "template", "code 1", "clipboard 1", Copied},
                 {{0, {OpenDialog, WithdrawDialog}}}}),
    Name);

// A document moving itself gives one box, then none until the user acts in the page or another
// document comes, at the address held too; a move that gave no box holds nothing.
INSTANTIATE_TEST_SUITE_P(
    AScriptCannotChainBoxes, MainUseTest,
    ::testing::Values(
        Scenario{"MovingItself",
                 {Pane(List), Moved(List + "#haut"), Moved(Edit + "1"), Moved(Edit + "2"), UserActs,
                  Moved(Edit + "3"), Moved(Edit + "4"), Pane(Edit + "4")},
                 {"no article", "no article", "article 1", "template", "code 1", "clipboard 1",
                  Copied, "article 3", "template", "code 3", "clipboard 3", Copied, "article 4",
                  "template", "code 4", "clipboard 4", Copied},
                 {{0, {Moved(Edit + "2"), Moved(Edit + "1")}}}},
        Scenario{"AnotherDocumentDuringTheBox",
                 {Pane(List), Moved(Edit + "1")},
                 {"no article", "article 1", "template", "code 1", "clipboard 1", Copied,
                  "article 3", "template", "code 3", "clipboard 3", Copied},
                 {{0, {Pane(Edit + "2"), Moved(Edit + "3")}}}}),
    Name);

// Without an article the generator says why in two boxes; the code box and clipboard keep theirs.
INSTANTIATE_TEST_SUITE_P(
    WithoutAnArticleTwoMessagesAndTheCodeBoxUnchanged, MainUseTest,
    ::testing::Values(
        Scenario{"Button", {Generate}, {"template", NoNumber, Advice}},
        Scenario{"UsersOwnTemplate", {Generate}, {NoNumber, Advice}, {}, false},
        Scenario{"EmptyArticleNumber", {Pane(Edit)}, {"no article", "template", NoNumber, Advice}}),
    Name);

// A clipboard that did not take the code gives an error box, never the "copied" one.
const std::string NotCopied = "box not copied (error, Quillomat)";
INSTANTIATE_TEST_SUITE_P(TheUserIsToldTheCodeIsNotOnTheClipboard, MainUseTest,
                         ::testing::Values(Scenario{"Button", {Copy}, {NotCopied}, {}, true, true},
                                           Scenario{"Detection",
                                                    {Pane(Edit + "5")},
                                                    {"article 5", "template", "code 5", NotCopied},
                                                    {},
                                                    true,
                                                    true}),
                         Name);

// The template, in automatic mode made of the swatches and captions, filled with the addresses.
TEST(MainUseCodeTest, TheTemplateIsFilledWithTheArticlesAddresses)
{
    MainUseHarness h;
    h.use.TakeSettings({"monblog.skyblog.com", "12345678", "7"});
    h.use.OnGenerateClicked();
    h.desktop.RunMainLoop();
    EXPECT_EQ(h.controls.Text7,
              "[a=[linkajout]][c=#629962][s][x=#FF0000-#00A000]Ajouter /[/x][/a]"
              "[a=[linklire]][c=#629962][s][x=#00A000-#0000FF] Lire[/x][/a]");
    EXPECT_EQ(h.controls.Text8, "old code");

    h.use.OnLocationChanged(Edit + "3141592", AddressChange::NewDocument);
    h.desktop.RunMainLoop();
    const std::string add =
        "http://www.skyblog.com/admBloger/commentaireForm.phtml?"
        "id_skynaute=12345678&id_article=3141592&id_template=7";
    const std::string read = "http://monblog.skyblog.com/3141592_comment_1.html?7";
    EXPECT_EQ(h.controls.Text8,
              "[a=" + add + "][c=#629962][s][x=#FF0000-#00A000]Ajouter /[/x][/a][a=" + read +
                  "][c=#629962][s][x=#00A000-#0000FF] Lire[/x][/a]");

    // The user's own template is kept and filled as it stands.
    h.controls.automatic = false;
    h.controls.Text7 = "[linkajout] [linkajout] [linklire] [LinkAjout]";
    h.use.OnGenerateClicked();
    h.desktop.RunMainLoop();
    EXPECT_EQ(h.controls.Text7, "[linkajout] [linkajout] [linklire] [LinkAjout]");
    EXPECT_EQ(h.controls.Text8, add + " " + add + " " + read + " [LinkAjout]");
    h.controls.Text7.clear();
    h.use.OnGenerateClicked();
    h.desktop.RunMainLoop();
    EXPECT_EQ(h.controls.Text8, "");
}

}  // namespace
}  // namespace quillomat
