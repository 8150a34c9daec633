#include "app/program/program_start.h"

#include <glib-unix.h>
#include <glibmm/miscutils.h>
#include <gtkmm/application.h>
#include <gtkmm/window.h>
#include <sigc++/connection.h>

#include <csignal>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "app/desktop/gtk_desktop_services.h"
#include "app/desktop/program_environment.h"
#include "app/desktop/unexpected_error_report.h"
#include "app/look/bundled_fonts.h"
#include "app/look/c_callback.h"
#include "app/look/window_look.h"
#include "app/main_window/main_window.h"
#include "app/pane/accessibility_bus.h"
#include "app/pane/bubblewrap_probe.h"
#include "app/pane/download_guard.h"
#include "app/pane/sandbox_leftovers.h"
#include "main_use/program_end.h"

// After every gtkmm header, which Xlib's macros would break.
#include <gdk/gdkx.h>

namespace quillomat {

namespace {

constexpr char ApplicationId[] = "org.quillomat.Quillomat";

// The X server went away, with the desktop session most often: nothing can be drawn or asked any
// more, and Xlib would end the process once this returns.
int OnDisplayLost(Display*)
{
    EndAbruptly(EXIT_FAILURE);
}

// The run's one orderly end, whatever the way out: the main window closed (even over a box),
// "Quitter", SIGTERM, SIGINT or SIGHUP. The desktop session's end is the toolkit's own.
class ProgramRun {
public:
    explicit ProgramRun(const Glib::RefPtr<Gtk::Application>& application)
        : application_(application)
    {
        for (int signal : {SIGTERM, SIGINT, SIGHUP})
            signalSources_.push_back(
                g_unix_signal_add(signal, &CCallback<&OnTerminateRequest>::Call, this));
    }
    ~ProgramRun()
    {
        if (toolkitDisplayLost_)
            XSetIOErrorHandler(toolkitDisplayLost_);
        for (unsigned source : signalSources_)
            g_source_remove(source);
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Once the toolkit has opened its display.
    void WatchDisplay()
    {
        GdkDisplay* display = gdk_display_get_default();
        if (display && GDK_IS_X11_DISPLAY(display))
            toolkitDisplayLost_ = XSetIOErrorHandler(&OnDisplayLost);
    }

    void End()
    {
        if (!BeginProgramEnd())
            return;
        // A box's own loop ends as soon as its window is hidden; the handler that opened it then
        // returns, opening no other.
        for (Gtk::Window* window : Gtk::Window::list_toplevels())
            window->hide();
        application_->quit();
    }

private:
    // Runs from the main loop, at whatever depth a box has taken it.
    static gboolean OnTerminateRequest(gpointer run)
    {
        static_cast<ProgramRun*>(run)->End();
        return G_SOURCE_CONTINUE;
    }

    Glib::RefPtr<Gtk::Application> application_;
    std::vector<unsigned> signalSources_;
    int (*toolkitDisplayLost_)(Display*) = nullptr;
};

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
    // The browser pane needs the answer when the main window is made.
    StartBubblewrapProbe();
    ForgoUnreachableAccessibilityBus();
    // Each start is a run of its own, and the program reads no command line.
    auto application = Gtk::Application::create(ApplicationId, Gio::APPLICATION_NON_UNIQUE);
    // The desktop session asks the toolkit whether it may end, and ends the program with it.
    application->property_register_session() = true;
    GtkDesktopServices desktop;
    InstallUnexpectedErrorReport(desktop);
    SetAbruptEndTidy(&RemoveSandboxLeftovers);
    ProgramRun run(application);
    // Fontconfig reads its whole configuration at the first use of a font, on a thread of its
    // own while the toolkit loads its theme, which uses no font.
    std::jthread fonts;
    if (options.bundledFonts)
        fonts = std::jthread(&RegisterBundledFonts);

    std::unique_ptr<MainWindow> mainWindow;
    application->signal_startup().connect([&] {
        stepEnded("toolkit started");
        run.WatchDisplay();
    });
    application->signal_activate().connect([&] {
        if (fonts.joinable())
            fonts.join();
        stepEnded("bundled fonts");
        if (options.programStyle)
            LoadProgramStyle();
        stepEnded("style sheet");
        MainWindow::Options windowOptions;
        // Closing the main window, "Quitter" and a request to terminate end the run the same way.
        windowOptions.endProgram = [&run] { run.End(); };
        mainWindow = std::make_unique<MainWindow>(desktop, windowOptions);
        stepEnded("main window made");
        // The run lasts as long as the main window, hidden behind the settings window or not
        // (gtkmm's add_window would end it at the first hiding).
        mainWindow->set_application(application);
        if (options.stepEnded)
            ReportFirstFrame(*mainWindow, options.stepEnded);
        mainWindow->show();
        stepEnded("shown");
    });
    // Every way out comes here, the session's end included. Downloads under way end first, while
    // WebKit can still confirm it has stopped writing them; then the windows and their web views
    // go. The toolkit then hands the copied code to the desktop's clipboard manager, if any.
    application->signal_shutdown().connect([&] {
        BeginProgramEnd();
        DownloadGuard::EndAllDownloads();
        mainWindow.reset();
    });
    const int status = application->run();
    RemoveSandboxLeftovers();
    return status;
}

}  // namespace quillomat
