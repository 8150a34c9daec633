// The main window's side of the settings and About windows.
#include <glibmm/main.h>

#include "app/main_window/main_window.h"

namespace quillomat {

void MainWindow::OnSettingsClicked()
{
    hide();
    if (!settingsWindow_)
        settingsWindow_ = std::make_unique<SettingsWindow>(
            desktop_, SettingsWindow::Owner{std::bind_front(&MainWindow::TakeSettings, this),
                                            std::bind_front(&MainWindow::EndProgram, this),
                                            std::bind_front(&MainWindow::OnSettingsClosed, this)});
    settingsWindow_->Fill(mainUse_.Settings());
    settingsWindow_->present();
}

void MainWindow::TakeSettings(const BlogSettings& values)
{
    mainUse_.TakeSettings(values);
    show();
}

void MainWindow::EndProgram()
{
    if (endProgram_)
        endProgram_();
}

void MainWindow::OnSettingsClosed()
{
    // Never leave the program running without a window on screen.
    show();
    closedWindows_.push_back(std::move(settingsWindow_));
    Glib::signal_idle().connect_once(sigc::mem_fun(*this, &MainWindow::DiscardClosedWindows));
}

void MainWindow::OnAboutClicked()
{
    if (!aboutWindow_)
        aboutWindow_ = std::make_unique<AboutWindow>(
            desktop_, std::bind_front(&MainWindow::OnAboutClosed, this));
    aboutWindow_->Present();
}

void MainWindow::OnAboutClosed()
{
    closedWindows_.push_back(std::move(aboutWindow_));
    Glib::signal_idle().connect_once(sigc::mem_fun(*this, &MainWindow::DiscardClosedWindows));
}

void MainWindow::DiscardClosedWindows()
{
    // Runs after the close handlers have returned: a window is never freed inside its own.
    closedWindows_.clear();
}

}  // namespace quillomat
