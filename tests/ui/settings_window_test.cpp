// The settings window on its own: what it shows, and what it asks of the window that opened it.
#include <gdk/gdkkeysyms.h>
#include <gdkmm/screen.h>
#include <glibmm/main.h>
#include <gtest/gtest.h>
#include <gtkmm/button.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>

#include <chrono>
#include <memory>
#include <optional>

#include "tests/support/main_loop_wait.h"
#include "tests/support/recording_desktop.h"
#include "tests/support/settings_window_access.h"
#include "tests/support/widget_probe.h"

namespace quillomat::testing {
namespace {

using Settings = SettingsWindowTestAccess;
using namespace std::chrono_literals;

const std::string MissingBlog = "Vous n'avez pas inscrit votre adresse de blog !";
const std::string MissingId = "Vous n'avez pas inscrit votre ID Boîte Vocale !";
const std::string MissingSkin = "Vous n'avez pas inscrit votre habillage de blog !";

// A settings window as the main window shows it, recording its boxes, pages and owner's calls.
class SettingsWindowTest : public ::testing::Test {
protected:
    SettingsWindow& OpenSettings()
    {
        settingsWindow = std::make_unique<SettingsWindow>(
            desktop, SettingsWindow::Owner{
                         [this](const BlogSettings& values) { handedBack.push_back(values); },
                         [this] { ++programEnds; }, [this] { ++closings; }});
        settingsWindow->present();
        EXPECT_TRUE(RunMainLoopUntil([&] { return settingsWindow->get_mapped(); }, 5s));
        return *settingsWindow;
    }

    void TearDown() override
    {
        if (settingsWindow)
            settingsWindow->hide();
        settingsWindow.reset();
    }

    RecordingDesktop desktop;
    // What the window asked of its owner.
    std::vector<BlogSettings> handedBack;
    int programEnds = 0;
    int closings = 0;
    std::unique_ptr<SettingsWindow> settingsWindow;
};

TEST_F(SettingsWindowTest, CaptionsColoursAndTheSkinList)
{
    SettingsWindow& settings = OpenSettings();
    EXPECT_EQ(settings.get_title(), "Réglages");
    auto controls = Settings::Controls(settings);
    auto label = [&](const std::string& name) -> Gtk::Label& {
        return name == "Label5" ? Settings::HomeLink(settings).Caption()
                                : *dynamic_cast<Gtk::Label*>(controls.at(name));
    };
    const std::pair<const char*, const char*> captions[] = {
        {"Label1", "Adresse du blog :"},
        {"Label2",
         "L'ID Boîte Vocale se trouve dans votre partie \"SKYBLOG VOCAL\" de votre "
         "blog. Allez la récupérer si vous ne l'avez pas encore..."},
        {"Label3", "ID Boîte Vocale :"},
        {"Label4", "Habillage :"},
        {"Label5", "Cliquez ici pour accéder à la page d'accueil de Skyblog"},
        {"Label6", "http://"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(label(name).get_text(), caption);
    EXPECT_EQ(Settings::Validate(settings).get_label(), "Valider");
    EXPECT_EQ(Settings::Quit(settings).get_label(), "Quitter");
    for (const char* name : {"Label1", "Label3", "Label4"}) {
        EXPECT_TRUE(IsBold(label(name))) << name;
        EXPECT_EQ(TextColour(label(name)), "rgb(0,0,0)") << name;
    }
    EXPECT_FALSE(IsBold(label("Label2")) || IsBold(label("Label5")) || IsBold(label("Label6")));
    EXPECT_EQ(TextColour(label("Label2")), "rgb(255,0,0)");
    EXPECT_EQ(label("Label2").get_layout()->get_line_count(), 3);
    EXPECT_FALSE(label("Label2").get_layout()->is_ellipsized()) << "the explanation is cut";
    EXPECT_EQ(TextColour(label("Label5")), "rgb(0,0,255)");
    EXPECT_TRUE(IsUnderlined(label("Label5")));
    EXPECT_FALSE(IsUnderlined(label("Label6")));

    std::vector<std::string> entries;
    for (const auto& row : Settings::Text3(settings).get_model()->children()) {
        Glib::ustring text;
        row.get_value(0, text);
        entries.push_back(text);
    }
    ASSERT_EQ(entries.size(), 24u);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(entries[i], std::to_string(i + 1));
    Settings::Text3(settings).set_active(6);
    EXPECT_EQ(Settings::Text3(settings).get_entry_text(), "7");
}

TEST_F(SettingsWindowTest, TabGoesThroughTheFieldsThenTheButtonsAndEnterPressesNone)
{
    SettingsWindow& settings = OpenSettings();
    Settings::Text1(settings).grab_focus();
    for (Gtk::Widget* expected : std::initializer_list<Gtk::Widget*>{
             &Settings::Text2(settings), Settings::Text3(settings).get_entry(),
             &Settings::Validate(settings), &Settings::Quit(settings),
             &Settings::Text1(settings)}) {
        PressKey(settings, GDK_KEY_Tab);
        EXPECT_EQ(settings.get_focus(), expected);
    }
    PressKey(settings, GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK);
    EXPECT_EQ(settings.get_focus(), &Settings::Quit(settings));

    Settings::Type(settings, {"", "", ""});
    Settings::Text1(settings).grab_focus();
    PressKey(settings, GDK_KEY_Return);
    PressKey(settings, GDK_KEY_Escape);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(settings.get_visible());
}

struct ValidateCase {
    const char* name;
    BlogSettings typed;
    std::vector<std::string> messages;
    std::optional<BlogSettings> handedBack;  // nothing: the settings window stays
    friend void PrintTo(const ValidateCase& c, std::ostream* out) { *out << c.name; }
};

class ValidateTest : public SettingsWindowTest,
                     public ::testing::WithParamInterface<ValidateCase> {};

TEST_P(ValidateTest, ReportsEmptyFieldsThenHandsBackUnlessAllAreEmpty)
{
    const ValidateCase& c = GetParam();
    SettingsWindow& settings = OpenSettings();
    Settings::Type(settings, c.typed);
    Settings::Validate(settings).clicked();

    std::vector<std::string> messages;
    for (const auto& message : desktop.messages) {
        messages.push_back(message.text);
        EXPECT_EQ(message.icon, MessageIcon::Error);
        EXPECT_EQ(message.title, "Quillomat");
    }
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(desktop.mostOpenAtOnce, c.messages.empty() ? 0 : 1) << "one box at a time";
    EXPECT_EQ(handedBack, c.handedBack ? std::vector{*c.handedBack} : std::vector<BlogSettings>{});
    EXPECT_EQ(settings.get_visible(), !c.handedBack);
    EXPECT_EQ(Settings::Shown(settings), c.typed) << "nothing is cleared";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValidateTest,
    ::testing::Values(
        ValidateCase{"AllFilled", {"b", "1 2", "7"}, {}, BlogSettings{"b", "12", "7"}},
        ValidateCase{"AllEmpty", {"", "", ""}, {MissingBlog, MissingId, MissingSkin}, {}},
        ValidateCase{"OnlyIdEmpty", {"b", "", "3"}, {MissingId}, BlogSettings{"b", "", "3"}},
        ValidateCase{"BlogAndSkinEmpty",
                     {"", "  ", ""},
                     {MissingBlog, MissingSkin},
                     BlogSettings{"", "", ""}}),
    [](const auto& info) { return info.param.name; });

// Far past the 65,535 characters that GTK's own text box buffer keeps.
TEST_F(SettingsWindowTest, ASeventyThousandCharacterPasteIsHandedBackWhole)
{
    SettingsWindow& settings = OpenSettings();
    std::string pasted;
    for (int i = 0; pasted.size() < 70000; ++i)
        pasted += std::to_string(i % 10);
    Settings::Type(settings, {"", "", ""});
    for (Gtk::Entry* field : {&Settings::Text1(settings), &Settings::Text2(settings),
                              Settings::Text3(settings).get_entry()}) {
        // As a paste inserts the clipboard's text; the real clipboard is for other tests.
        int position = 0;
        field->insert_text(pasted, static_cast<int>(pasted.size()), position);
    }
    Settings::Validate(settings).clicked();
    EXPECT_EQ(handedBack, (std::vector<BlogSettings>{{pasted, pasted, pasted}}));
}

TEST_F(SettingsWindowTest, QuitterEndsTheProgramWithoutHandingBack)
{
    SettingsWindow& settings = OpenSettings();
    Settings::Type(settings, {"", "", ""});
    Settings::Quit(settings).clicked();
    EXPECT_EQ(programEnds, 1);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_TRUE(handedBack.empty());
}

TEST_F(SettingsWindowTest, EachClickOnTheLinkOpensTheHomePageThenRunsWaitingEvents)
{
    SettingsWindow& settings = OpenSettings();
    // What the window's showing left waiting (crossing events) has run first.
    ASSERT_TRUE(RunMainLoopUntilIdle(5s));
    int waitingRan = 0;
    Glib::signal_timeout().connect_once([&] { ++waitingRan; }, 0);
    ClickWithMouse(Settings::HomeLink(settings));
    EXPECT_EQ(waitingRan, 1) << "before the click's handler returned";
    ClickWithMouse(Settings::HomeLink(settings));
    ClickWithMouse(Settings::HomeLink(settings), 2);
    EXPECT_EQ(desktop.openedPages, std::vector<std::string>(3, "http://skyblog.com"))
        << "a double-click opens one page";

    desktop.externalPageFailure = "aucun navigateur";
    ClickWithMouse(Settings::HomeLink(settings));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              "Impossible d'ouvrir la page http://skyblog.com dans le navigateur : aucun "
              "navigateur");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(desktop.messages[0].title, "Quillomat");
    EXPECT_TRUE(settings.get_visible());
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(closings, 0);
}

}  // namespace
}  // namespace quillomat::testing
