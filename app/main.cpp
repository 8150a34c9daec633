#include <gtkmm/application.h>

#include <memory>

#include "app/gtk_desktop_services.h"
#include "app/main_window.h"
#include "app/unexpected_error_report.h"
#include "app/window_look.h"

namespace {

constexpr char ApplicationId[] = "org.quillomat.Quillomat";

}  // namespace

int main()
{
    quillomat::RegisterBundledFonts();
    // Each start is a run of its own, and the program reads no command line.
    auto application = Gtk::Application::create(ApplicationId, Gio::APPLICATION_NON_UNIQUE);
    quillomat::InstallUnexpectedErrorReport();

    quillomat::GtkDesktopServices desktop;
    std::unique_ptr<quillomat::MainWindow> mainWindow;
    application->signal_activate().connect([&] {
        quillomat::LoadProgramStyle();
        mainWindow =
            std::make_unique<quillomat::MainWindow>(desktop, quillomat::MainWindow::Options{});
        application->add_window(*mainWindow);
        // The program runs until the main window is closed, also while it is hidden.
        application->hold();
        mainWindow->signal_delete_event().connect([&](GdkEventAny*) {
            application->quit();
            return false;
        });
        mainWindow->show();
    });
    return application->run();
}
