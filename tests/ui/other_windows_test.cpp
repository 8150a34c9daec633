// The main window's side of the settings and About windows: opening, values both ways, closing.
#include <gtkmm/button.h>

#include "tests/support/about_window_access.h"
#include "tests/support/settings_window_access.h"
#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

using Settings = SettingsWindowTestAccess;
using About = AboutWindowTestAccess;

const std::pair<int, int> DesignPosition{371, 347};

class OtherWindowsTest : public MainWindowTest {
protected:
    void SetUp() override { OpenWindow(); }

    // Presses "Réglages..." and waits for the settings window.
    SettingsWindow& OpenSettings()
    {
        Access::Button(*window, 1).clicked();
        SettingsWindow* settings = Access::Settings(*window);
        EXPECT_TRUE(settings && RunMainLoopUntil([&] { return settings->get_mapped(); }, 5s));
        return *settings;
    }
    BlogSettings MainValues()
    {
        return {Access::Text1(*window), Access::Text2(*window), Access::Text3(*window)};
    }
    // Presses "Informations" and waits for the About window.
    AboutWindow& PressInformations()
    {
        Access::Button(*window, 2).clicked();
        AboutWindow* about = Access::About(*window);
        EXPECT_TRUE(about && RunMainLoopUntil([&] { return about->get_mapped(); }, 5s));
        EXPECT_TRUE(RunMainLoopUntilIdle(5s));
        return *about;
    }
    std::pair<int, int> ClientOrigin(AboutWindow& about)
    {
        int x = -1, y = -1;
        about.get_window()->get_origin(x, y);
        return {x, y};
    }
    std::size_t AboutWindowsOnScreen() { return ShownWindows<AboutWindow>().size(); }
};

TEST_F(OtherWindowsTest, ValuesGoBothWaysAndTheStrippedIdComesBackInTheSameWindow)
{
    EXPECT_EQ(Access::Settings(*window), nullptr) << "created before first use";
    const BlogSettings initial = MainValues();
    SettingsWindow& settings = OpenSettings();
    EXPECT_FALSE(window->get_visible());
    EXPECT_EQ(Settings::Shown(settings), initial);
    EXPECT_EQ(initial.skinNumber, "1");

    Settings::Type(settings, {"b.skyblog.com", " 12 34  56 ", "25"});
    Settings::Validate(settings).clicked();
    EXPECT_TRUE(window->get_visible());
    EXPECT_FALSE(settings.get_visible());
    EXPECT_EQ(MainValues(), (BlogSettings{"b.skyblog.com", "123456", "25"}));

    Settings::Text1(settings).set_text("typed but not handed back");
    EXPECT_EQ(&OpenSettings(), &settings);
    EXPECT_EQ(Settings::Shown(settings), (BlogSettings{"b.skyblog.com", "123456", "25"}));
}

TEST_F(OtherWindowsTest, TitleBarCloseBringsBackTheMainWindowUnchanged)
{
    const BlogSettings before = MainValues();
    SettingsWindow& settings = OpenSettings();
    Settings::Type(settings, {"other", "999", "9"});
    settings.close();
    ASSERT_TRUE(RunMainLoopUntil([&] { return Access::Settings(*window) == nullptr; }, 5s));
    EXPECT_TRUE(window->get_visible());
    EXPECT_EQ(MainValues(), before);
    EXPECT_EQ(programEnds, 0);
    // The next opening builds the window anew.
    EXPECT_EQ(Settings::Shown(OpenSettings()), before);
}

TEST_F(OtherWindowsTest, OneWindowAtItsDesignPositionAcrossOkCloseAndReopening)
{
    EXPECT_EQ(Access::About(*window), nullptr) << "created before first use";
    AboutWindow& about = PressInformations();
    EXPECT_EQ(ClientOrigin(about), DesignPosition);
    EXPECT_TRUE(window->get_visible()) << "the main window stays";
    EXPECT_EQ(&PressInformations(), &about);
    EXPECT_EQ(AboutWindowsOnScreen(), 1u);

    About::Ok(about).clicked();
    EXPECT_FALSE(about.get_visible());
    EXPECT_EQ(&PressInformations(), &about) << "Ok hides, it does not discard";
    EXPECT_EQ(ClientOrigin(about), DesignPosition);

    about.close();
    ASSERT_TRUE(RunMainLoopUntil([&] { return Access::About(*window) == nullptr; }, 5s));
    EXPECT_EQ(AboutWindowsOnScreen(), 0u);
    EXPECT_TRUE(window->get_visible());
    AboutWindow& again = PressInformations();
    EXPECT_EQ(ClientOrigin(again), DesignPosition);
    EXPECT_EQ(AboutWindowsOnScreen(), 1u);
}

}  // namespace
}  // namespace quillomat::testing
