#include "app/program/program_start.h"

#include <glibmm/error.h>
#include <glibmm/miscutils.h>
#include <gtkmm/application.h>
#include <gtkmm/clipboard.h>
#include <gtkmm/window.h>
#include <sigc++/connection.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <thread>

#include "app/desktop/gtk_desktop_services.h"
#include "app/desktop/private_toolkit_settings.h"
#include "app/desktop/program_environment.h"
#include "app/desktop/program_run.h"
#include "app/desktop/toolkit_language.h"
#include "app/desktop/unexpected_error_report.h"
#include "app/look/bundled_fonts.h"
#include "app/look/font_warm_up.h"
#include "app/look/window_look.h"
#include "app/main_window/main_window.h"
#include "app/pane/download_guard.h"
#include "app/pane/sandbox_probe.h"

namespace quillomat {

namespace {

constexpr char ApplicationId[] = "org.quillomat.Quillomat";

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
    ForgoUnreachableAccessibilityBus();
    // Each start is a run of its own, and the program reads no command line.
    auto application = Gtk::Application::create(ApplicationId, Gio::APPLICATION_NON_UNIQUE);
    GtkDesktopServices desktop;
    InstallUnexpectedErrorReport(desktop);
    ProgramRun run(application, &RemoveSandboxLeftovers);
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

    std::unique_ptr<MainWindow> mainWindow;
    const auto start = [&] {
        if (fonts.joinable()) {
            fonts.join();
            fontWarmUp.HandOver();
        }
        stepEnded("bundled fonts");
        if (options.programStyle)
            LoadProgramStyle();
        stepEnded("style sheet");
        MainWindow::Options windowOptions;
        // Closing the main window, "Quitter", a request to terminate and the end of the desktop
        // session all end the run the same way.
        windowOptions.endProgram = [&run] { run.End(); };
        mainWindow = std::make_unique<MainWindow>(desktop, windowOptions);
        stepEnded("main window made");
        application->add_window(*mainWindow);
        if (options.stepEnded)
            ReportFirstFrame(*mainWindow, options.stepEnded);
        mainWindow->show();
        stepEnded("shown");
    };
    try {
        run.Run(start);
    } catch (const Glib::Error& error) {
        std::cerr << "quillomat: " << error.what() << std::endl;
        return EXIT_FAILURE;
    }

    // Every way out comes here, every window hidden. Downloads under way end first, while WebKit
    // can still confirm it has stopped writing them; then the windows and their web views go.
    DownloadGuard::EndAllDownloads();
    mainWindow.reset();
    // The copied code goes to the desktop's clipboard manager, where one runs, so that it can
    // still be pasted once the program has ended. Once: it may wait seconds for a manager that
    // does not answer.
    Gtk::Clipboard::get()->store();
    RemoveSandboxLeftovers();
    return EXIT_SUCCESS;
}

}  // namespace quillomat
