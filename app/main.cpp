#include <glibmm/miscutils.h>
#include <gtkmm/application.h>
#include <gtkmm/clipboard.h>
#include <gtkmm/window.h>

#include <cstdlib>
#include <memory>

#include "app/gtk_desktop_services.h"
#include "app/main_window.h"
#include "app/private_toolkit_settings.h"
#include "app/unexpected_error_report.h"
#include "app/window_look.h"

namespace {

constexpr char ApplicationId[] = "org.quillomat.Quillomat";

// Every window disappears at once and the run ends; no close handler runs, nothing is asked.
void EndProgram(const Glib::RefPtr<Gtk::Application>& application)
{
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        window->hide();
    // A message box or a page's dialog runs a loop of its own, inside a handler that would go
    // on once it returns: end here instead, as the end of main does.
    if (g_main_depth() > 1) {
        Gtk::Clipboard::get()->store();
        std::exit(EXIT_SUCCESS);
    }
    application->quit();
}

}  // namespace

int main()
{
    // WM_CLASS and the Wayland app id: desktops match the window with its menu entry by them.
    Glib::set_prgname(ApplicationId);
    quillomat::KeepToolkitSettingsInMemory();
    quillomat::RegisterBundledFonts();
    // Each start is a run of its own, and the program reads no command line.
    auto application = Gtk::Application::create(ApplicationId, Gio::APPLICATION_NON_UNIQUE);
    quillomat::InstallUnexpectedErrorReport();

    quillomat::GtkDesktopServices desktop;
    std::unique_ptr<quillomat::MainWindow> mainWindow;
    application->signal_activate().connect([&] {
        quillomat::LoadProgramStyle();
        quillomat::MainWindow::Options options;
        options.endProgram = [&] { EndProgram(application); };
        mainWindow = std::make_unique<quillomat::MainWindow>(desktop, options);
        application->add_window(*mainWindow);
        // The program runs until the main window is closed, also while it is hidden.
        application->hold();
        mainWindow->show();
    });
    const int status = application->run();
    // Hands the copied code to the desktop's clipboard manager, where one runs, so that it can
    // still be pasted once the program has ended.
    Gtk::Clipboard::get()->store();
    return status;
}
