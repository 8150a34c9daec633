// Opening pages in the desktop's default browser, found by GIO in private XDG folders set before
// GTK starts: a stand-in browser records each start, or (--without-browser) there is none.
#include <glibmm/main.h>
#include <gtest/gtest.h>
#include <gtkmm/image.h>
#include <gtkmm/main.h>
#include <gtkmm/messagedialog.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

#include "app/desktop/gtk_desktop_services.h"
#include "app/desktop/program_environment.h"
#include "app/look/bundled_fonts.h"
#include "app/look/window_look.h"
#include "app/windows/about_window.h"
#include "app/windows/settings_window.h"
#include "tests/support/about_window_access.h"
#include "tests/support/main_loop_wait.h"
#include "tests/support/own_x_server.h"
#include "tests/support/settings_window_access.h"
#include "tests/support/widget_probe.h"

namespace quillomat::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Settings = SettingsWindowTestAccess;
using About = AboutWindowTestAccess;

fs::path root;           // the private desktop's folder
bool browserRegistered;  // whether it has a default browser for http
// Each start of the stand-in browser, a line: its LANGUAGE, ENCHANT_CONFIG_DIR and address.
fs::path launches;

void WriteFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

// The system's file types, schemas and icons stay in sight; its programs (a real browser) do not.
void ShareSystemDataButPrograms(const fs::path& privateData)
{
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::stringstream list(dirs && *dirs ? dirs : "/usr/local/share:/usr/share");
    std::vector<fs::path> folders;
    for (std::string folder; std::getline(list, folder, ':');)
        folders.emplace_back(folder);
    for (const char* part : {"mime", "glib-2.0", "icons", "themes"})
        for (const fs::path& folder : folders)
            if (fs::exists(folder / part)) {
                fs::create_directory_symlink(folder / part, privateData / part);
                break;
            }
}

// Must run before GLib first reads the XDG variables.
void SetUpPrivateDesktop(bool withBrowser)
{
    std::string pattern = (fs::temp_directory_path() / "quillomat-desktop-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    root = pattern;
    launches = root / "launches.txt";
    browserRegistered = withBrowser;
    fs::create_directories(root / "system-share");
    ShareSystemDataButPrograms(root / "system-share");
    if (withBrowser) {
        WriteFile(
            root / "fake-browser",
            "#!/bin/sh\nprintf '%s|%s|%s\\n' \"${LANGUAGE-}\" \"${ENCHANT_CONFIG_DIR-}\" \"$1\" "
            ">> '" +
                launches.string() + "'\n");
        fs::permissions(root / "fake-browser", fs::perms::owner_all);
        WriteFile(root / "share/applications/fake-browser.desktop",
                  "[Desktop Entry]\nType=Application\nName=Fake Browser\nExec=" +
                      (root / "fake-browser").string() + " %u\nMimeType=x-scheme-handler/http;\n");
        WriteFile(root / "config/mimeapps.list",
                  "[Default Applications]\nx-scheme-handler/http=fake-browser.desktop\n");
    }
    setenv("XDG_DATA_HOME", (root / "share").c_str(), 1);
    setenv("XDG_DATA_DIRS", (root / "system-share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", (root / "system-config").c_str(), 1);
}

std::vector<std::string> Lines(const fs::path& path)
{
    std::vector<std::string> lines;
    std::ifstream record(path);
    for (std::string line; std::getline(record, line);)
        lines.push_back(line);
    return lines;
}

// The settings and About windows on the real desktop services, their requests recorded.
class ExternalPageTest : public ::testing::Test {
protected:
    // Fills and shows the settings window as "Réglages..." does, and waits for it on screen.
    SettingsWindow& OpenSettings()
    {
        settingsWindow.Fill({"monblog.skyblog.com", "12345678", "1"});
        settingsWindow.present();
        EXPECT_TRUE(RunMainLoopUntil([&] { return settingsWindow.get_mapped(); }, 5s));
        return settingsWindow;
    }
    AboutWindow& OpenAbout()
    {
        aboutWindow.Present();
        EXPECT_TRUE(RunMainLoopUntil([&] { return aboutWindow.get_mapped(); }, 5s));
        return aboutWindow;
    }
    // Clicks and waits for the stand-in browser to have been started once more.
    void ClickAndWaitForLaunch(Gtk::Widget& link)
    {
        const std::size_t before = Lines(launches).size();
        ClickWithMouse(link);
        EXPECT_TRUE(RunMainLoopUntil([&] { return Lines(launches).size() > before; }, 10s));
    }

    GtkDesktopServices desktop;
    // What the windows asked of the main window.
    std::vector<BlogSettings> handedBack;
    int programEnds = 0;
    int closings = 0;
    SettingsWindow settingsWindow{
        desktop,
        {[this](const BlogSettings& values) { handedBack.push_back(values); },
         [this] { ++programEnds; }, [this] { ++closings; }}};
    AboutWindow aboutWindow{desktop, [this] { ++closings; }};
};

TEST_F(ExternalPageTest, EachClickStartsTheDefaultBrowserWithTheAddress)
{
    if (!browserRegistered)
        GTEST_SKIP() << "runs with a browser registered";
    SettingsWindow& settings = OpenSettings();
    ClickAndWaitForLaunch(Settings::HomeLink(settings));
    ClickAndWaitForLaunch(Settings::HomeLink(settings));
    Settings::Validate(settings).clicked();
    AboutWindow& about = OpenAbout();
    ClickAndWaitForLaunch(About::BlogLink(about));
    ClickAndWaitForLaunch(About::SiteLink(about));
    // The desktop's language, not the one the program speaks in, and its own spelling settings.
    EXPECT_EQ(Lines(launches),
              (std::vector<std::string>{"de||http://skyblog.com", "de||http://skyblog.com",
                                        "de||http://brennic.skyblog.com",
                                        "de||http://www.brennic.example.org/"}));
    EXPECT_TRUE(ShownWindows<Gtk::MessageDialog>().empty());
}

// Notes what the message box on screen says and presses its button.
struct MessageBoxCloser {
    std::vector<std::string> texts, titles, icons;
    bool CloseOpenBox()
    {
        for (Gtk::Window* toplevel : Gtk::Window::list_toplevels())
            if (auto* box = dynamic_cast<Gtk::MessageDialog*>(toplevel);
                box && box->get_visible() && box->get_modal()) {
                auto* image = dynamic_cast<Gtk::Image*>(box->get_image());
                texts.push_back(box->property_text().get_value());
                titles.push_back(box->get_title());
                icons.push_back(image ? image->property_icon_name().get_value() : "");
                box->response(Gtk::RESPONSE_OK);
            }
        return true;
    }
};

TEST_F(ExternalPageTest, WithoutABrowserTheUserIsToldWhyAndNothingIsLost)
{
    if (browserRegistered)
        GTEST_SKIP() << "runs with --without-browser";
    SettingsWindow& settings = OpenSettings();
    Settings::Text1(settings).set_text("typed.skyblog.com");
    MessageBoxCloser closer;
    sigc::connection timer =
        Glib::signal_timeout().connect(sigc::mem_fun(closer, &MessageBoxCloser::CloseOpenBox), 200);
    ClickWithMouse(Settings::HomeLink(settings));
    ASSERT_EQ(closer.texts.size(), 1u);
    const std::string start =
        "Impossible d'ouvrir la page http://skyblog.com dans le navigateur : ";
    EXPECT_EQ(closer.texts[0].substr(0, start.size()), start);
    EXPECT_GT(closer.texts[0].size(), start.size()) << "the reason is given";
    EXPECT_EQ(closer.titles[0], "Quillomat");
    EXPECT_EQ(closer.icons[0], "dialog-error");

    // The program goes on with what was typed.
    EXPECT_TRUE(settings.get_visible());
    Settings::Validate(settings).clicked();
    ASSERT_EQ(handedBack.size(), 1u);
    EXPECT_EQ(handedBack[0].blogAddress, "typed.skyblog.com");
    AboutWindow& about = OpenAbout();
    ClickWithMouse(About::SiteLink(about));
    timer.disconnect();
    ASSERT_EQ(closer.texts.size(), 2u);
    EXPECT_EQ(
        closer.texts[1].rfind("Impossible d'ouvrir la page http://www.brennic.example.org/", 0),
        0u);
    EXPECT_TRUE(about.get_visible());
    EXPECT_EQ(closings, 0);
    EXPECT_EQ(programEnds, 0);
}

}  // namespace
}  // namespace quillomat::testing

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    quillomat::testing::UseOwnXServer();
    // A German desktop; the program speaks French, as it does once started.
    setenv("LANGUAGE", "de", 1);
    unsetenv("ENCHANT_CONFIG_DIR");
    quillomat::SpeakFrenchInTheToolkit();
    quillomat::KeepAddedWordsForTheRun();
    quillomat::testing::SetUpPrivateDesktop(
        !(argc > 1 && argv[argc - 1] == std::string_view("--without-browser")));
    quillomat::RegisterBundledFonts();
    Gtk::Main::init_gtkmm_internals();
    gtk_init(nullptr, nullptr);
    quillomat::LoadProgramStyle();
    const int result = RUN_ALL_TESTS();
    std::filesystem::remove_all(quillomat::testing::root);
    return result;
}
