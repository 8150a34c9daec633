#include "app/program/program_start.h"

#include <glibmm/miscutils.h>
#include <gtkmm/application.h>
#include <gtkmm/clipboard.h>
#include <gtkmm/window.h>
#include <sigc++/connection.h>

#include <cstdlib>
#include <memory>
#include <thread>

#include "app/desktop/gtk_desktop_services.h"
#include "app/desktop/private_toolkit_settings.h"
#include "app/desktop/toolkit_language.h"
#include "app/desktop/unexpected_error_report.h"
#include "app/look/bundled_fonts.h"
#include "app/look/font_warm_up.h"
#include "app/look/window_look.h"
#include "app/main_window/main_window.h"
#include "app/pane/sandbox_probe.h"
#include "app/pane/spell_checking.h"

namespace quillomat {

namespace {

constexpr char ApplicationId[] = "org.quillomat.Quillomat";

// Every window disappears at once and the run ends; no close handler runs, nothing is asked.
void EndProgram(const Glib::RefPtr<Gtk::Application>& application)
{
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        window->hide();
    // A message box or a page's dialog runs a loop of its own, inside a handler that would go
    // on once it returns: end here instead, as the end of the run does.
    if (g_main_depth() > 1) {
        Gtk::Clipboard::get()->store();
        std::exit(EXIT_SUCCESS);
    }
    application->quit();
}

// Tells the steps that follow the showing: the window on screen, then its first frame.
void ReportFirstFrame(MainWindow& window, const std::function<void(const char*)>& stepEnded)
{
    window.signal_map_event().connect([stepEnded](GdkEventAny*) {
        stepEnded("mapped");
        return false;
    });
    auto drawn = std::make_shared<sigc::connection>();
    *drawn = window.signal_draw().connect(
        [stepEnded, drawn](const Cairo::RefPtr<Cairo::Context>&) {
            drawn->disconnect();
            stepEnded("first frame");
            return false;
        },
        true);
}

}  // namespace

int RunProgram(const StartOptions& options)
{
    const auto stepEnded = [&](const char* step) {
        if (options.stepEnded)
            options.stepEnded(step);
    };
    // The environment, for GTK and WebKit's processes, before any thread runs.
    SpeakFrenchInTheToolkit();
    KeepAddedWordsForTheRun();
    // WM_CLASS and the Wayland app id: desktops match the window with its menu entry by them.
    Glib::set_prgname(ApplicationId);
    if (options.toolkitSettingsInMemory)
        KeepToolkitSettingsInMemory();
    // The browser pane needs the answer when the main window is made.
    StartBubblewrapProbe();
    // Each start is a run of its own, and the program reads no command line.
    auto application = Gtk::Application::create(ApplicationId, Gio::APPLICATION_NON_UNIQUE);
    InstallUnexpectedErrorReport();
    stepEnded("toolkit started");
    // Fontconfig reads its whole configuration, and Pango matches and opens each font, at their
    // first use. That happens on a thread of its own while the toolkit loads its theme, which
    // uses no font (and the environment no longer changes), and ends before the first text is
    // laid out.
    FontWarmUp fontWarmUp;
    std::jthread fonts;
    if (options.bundledFonts)
        fonts = options.fontWarmUp ? std::jthread([&fontWarmUp] { fontWarmUp.Run(); })
                                   : std::jthread(&RegisterBundledFonts);

    GtkDesktopServices desktop;
    std::unique_ptr<MainWindow> mainWindow;
    application->signal_activate().connect([&] {
        if (fonts.joinable()) {
            fonts.join();
            fontWarmUp.HandOver();
        }
        stepEnded("bundled fonts");
        if (options.programStyle)
            LoadProgramStyle();
        stepEnded("style sheet");
        MainWindow::Options windowOptions;
        windowOptions.endProgram = [&] { EndProgram(application); };
        mainWindow = std::make_unique<MainWindow>(desktop, windowOptions);
        stepEnded("main window made");
        application->add_window(*mainWindow);
        // The program runs until the main window is closed, also while it is hidden.
        application->hold();
        if (options.stepEnded)
            ReportFirstFrame(*mainWindow, options.stepEnded);
        mainWindow->show();
        stepEnded("shown");
    });
    // At its shutdown the application hands the copied code to the desktop's clipboard manager,
    // where one runs, so that it can still be pasted once the program has ended. Once: each
    // hand-over may wait seconds for a manager that does not answer.
    return application->run();
}

}  // namespace quillomat
