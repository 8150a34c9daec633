#pragma once

#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <chrono>
#include <memory>

#include "app/main_window/main_window.h"
#include "tests/support/about_window_access.h"
#include "tests/support/main_loop_wait.h"
#include "tests/support/main_window_access.h"
#include "tests/support/recording_desktop.h"
#include "tests/support/settings_window_access.h"

namespace quillomat::testing {

using Access = MainWindowTestAccess;
using namespace std::chrono_literals;

// A shown main window whose boxes and clipboard are recorded unless a test gives other desktop
// services; its pane sends every request to an unused loopback port unless given a proxy.
class MainWindowTest : public ::testing::Test {
protected:
    void OpenWindow(const std::string& proxyAddress = "http://127.0.0.1:9",
                    DesktopServices* services = nullptr)
    {
        MainWindow::Options options;
        options.browser.proxyAddress = proxyAddress;
        options.endProgram = [this] { ++programEnds; };
        window = std::make_unique<MainWindow>(services ? *services : desktop, options);
        window->show();
        ASSERT_TRUE(RunMainLoopUntil(
            [&] { return window->get_mapped() && window->get_allocated_width() >= 921; }, 10s));
        // What showing the window set going (crossing events, first sizes) has run.
        ASSERT_TRUE(RunMainLoopUntilIdle(10s));
    }

    WebKitWebView* View() { return WEBKIT_WEB_VIEW(Access::Pane(*window).Widget().gobj()); }

    // Every control of the three windows by name, the other two opened by the main one's buttons.
    std::map<std::string, std::map<std::string, Gtk::Widget*>> ThreeWindows()
    {
        Access::Button(*window, 2).clicked();
        AboutWindow& about = *Access::About(*window);
        Access::Button(*window, 1).clicked();
        SettingsWindow& settings = *Access::Settings(*window);
        EXPECT_TRUE(
            RunMainLoopUntil([&] { return about.get_mapped() && settings.get_mapped(); }, 5s));
        return {{"main", Access::Controls(*window)},
                {"settings", SettingsWindowTestAccess::Controls(settings)},
                {"about", AboutWindowTestAccess::Controls(about)}};
    }

    // Waits until the pane shows `address`, loaded; a new web process on a busy machine is slow.
    bool WaitForPage(const std::string& address)
    {
        return RunMainLoopUntil(
            [&] {
                return Access::Text9(*window) == address && !webkit_web_view_is_loading(View());
            },
            40s);
    }

    // Types `address` into the address box and presses "Aller à...".
    void Go(const std::string& address)
    {
        Access::Caption(*window, 13).set_text(address);
        Access::Button(*window, 6).clicked();
    }

    void TearDown() override
    {
        if (window)
            window->hide();
        window.reset();
    }

    RecordingDesktop desktop;
    int programEnds = 0;  // times the program was told to end
    std::unique_ptr<MainWindow> window;
};

}  // namespace quillomat::testing
