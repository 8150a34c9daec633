// Quillomat's start-up as app/main.cpp does it, with switches that change one step at a time, so
// that the benchmark can measure what each step costs at start:
//   --no-settings-memory  keep the default GSettings backend
//   --no-fonts            do not add the bundled fonts' folder
//   --no-style            do not load the program's style sheet
//   --lazy-pickers        create each colour chooser dialog on its first opening, not at start
//   --plain-gtk           gtk_init and gtk_main instead of a Gtk::Application
//   --navigate-after-show ask for the home page once the window is shown, not while making it
//   --navigate-after-map  ask for it once the window is mapped and the main loop is idle
//   --timeline            print when each step ends (and time some steps apart: not a start-up)
// Without a switch it starts exactly as the program does. (The web sandbox is left out from the
// outside: a PATH whose "bwrap" fails makes the pane's probe answer no.)
#include <dlfcn.h>
#include <webkit2/webkit2.h>

#include <glibmm/main.h>
#include <glibmm/miscutils.h>
#include <gtkmm/application.h>
#include <gtkmm/main.h>
#include <gtkmm/window.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/gtk_desktop_services.h"
#include "app/main_window.h"
#include "app/private_toolkit_settings.h"
#include "app/sandbox_probe.h"
#include "app/unexpected_error_report.h"
#include "app/window_look.h"

namespace {

constexpr char ApplicationId[] = "org.quillomat.Quillomat";

struct Variant {
    bool settingsInMemory = true;
    bool fonts = true;
    bool style = true;
    bool lazyPickers = false;
    bool application = true;
    bool timeline = false;
    bool navigateAfterShow = false;
    bool navigateAfterMap = false;
};

Variant ReadVariant(int argc, char** argv)
{
    Variant variant;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--no-settings-memory")
            variant.settingsInMemory = false;
        else if (option == "--no-fonts")
            variant.fonts = false;
        else if (option == "--no-style")
            variant.style = false;
        else if (option == "--lazy-pickers")
            variant.lazyPickers = true;
        else if (option == "--plain-gtk")
            variant.application = false;
        else if (option == "--navigate-after-show")
            variant.navigateAfterShow = true;
        else if (option == "--navigate-after-map")
            variant.navigateAfterMap = true;
        else if (option == "--timeline")
            variant.timeline = true;
        else {
            std::cerr << "quillomat_variant: unknown option " << option << "\n";
            std::exit(2);
        }
    }
    return variant;
}

// A colour picker whose dialog is made when it is first opened.
class LazyPicker : public quillomat::ColourPicker {
public:
    LazyPicker(quillomat::DesktopServices& desktop, quillomat::ColorValue initialColour)
        : desktop_(desktop), initialColour_(initialColour)
    {
    }
    quillomat::ColorValue ShowColor() override
    {
        if (!picker_)
            picker_ = desktop_.CreateColourPicker(initialColour_);
        return picker_->ShowColor();
    }

private:
    quillomat::DesktopServices& desktop_;
    quillomat::ColorValue initialColour_;
    std::unique_ptr<quillomat::ColourPicker> picker_;
};

// The real desktop services, with lazily made pickers when asked.
class VariantDesktop : public quillomat::GtkDesktopServices {
public:
    explicit VariantDesktop(bool lazyPickers) : lazyPickers_(lazyPickers) {}
    std::unique_ptr<quillomat::ColourPicker> CreateColourPicker(
        quillomat::ColorValue initialColour) override
    {
        if (lazyPickers_)
            return std::make_unique<LazyPicker>(real_, initialColour);
        return GtkDesktopServices::CreateColourPicker(initialColour);
    }

private:
    bool lazyPickers_;
    quillomat::GtkDesktopServices real_;
};

// Prints each step's time on the monotonic clock, which the start-up driver's log also uses.
class Timeline {
public:
    explicit Timeline(bool on) : on_(on) {}
    void Mark(const char* step) const
    {
        if (!on_)
            return;
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::fprintf(stderr, "timeline %.3f %s\n",
                     std::chrono::duration<double, std::milli>(now).count(), step);
    }

private:
    bool on_;
};

// Times parts of the main window's construction that can be made apart from it: they are made
// once more here, so that a timeline run is not a start-up figure.
void MeasureParts(const Timeline& timeline)
{
    quillomat::BubblewrapSandboxWorks();
    timeline.Mark("part: sandbox probe");
    {
        quillomat::GtkDesktopServices desktop;
        auto first = desktop.CreateColourPicker(0x800080);
        timeline.Mark("part: first colour picker");
        auto second = desktop.CreateColourPicker(0x80FFFF);
        auto third = desktop.CreateColourPicker(0x800080);
        timeline.Mark("part: two more colour pickers");
    }
    {
        Gtk::Window window;
        quillomat::SetProgramIcon(window);
        timeline.Mark("part: window icons");
    }
}

// Page loads asked for while the main window is being made, held back until it is shown.
bool holdPageLoads = false;
std::vector<std::pair<WebKitWebView*, std::string>> heldPageLoads;

using LoadUri = void (*)(WebKitWebView*, const gchar*);

LoadUri RealLoadUri()
{
    static const auto real =
        reinterpret_cast<LoadUri>(dlsym(RTLD_NEXT, "webkit_web_view_load_uri"));
    return real;
}

void ReleaseHeldPageLoads()
{
    holdPageLoads = false;
    for (const auto& [view, address] : heldPageLoads)
        RealLoadUri()(view, address.c_str());
    heldPageLoads.clear();
}

}  // namespace

// Stands in for WebKit's function in this program only (the pane's call binds to it), so that
// the main window's first page load can be moved after its showing without changing the window.
extern "C" void webkit_web_view_load_uri(WebKitWebView* view, const gchar* address)
{
    if (holdPageLoads) {
        heldPageLoads.emplace_back(view, address);
        return;
    }
    RealLoadUri()(view, address);
}

int main(int argc, char** argv)
{
    const Variant variant = ReadVariant(argc, argv);
    Timeline timeline(variant.timeline);
    timeline.Mark("main");
    Glib::set_prgname(ApplicationId);
    if (variant.settingsInMemory)
        quillomat::KeepToolkitSettingsInMemory();
    timeline.Mark("settings in memory");
    if (variant.fonts)
        quillomat::RegisterBundledFonts();
    timeline.Mark("bundled fonts");

    VariantDesktop desktop(variant.lazyPickers);
    std::unique_ptr<quillomat::MainWindow> mainWindow;
    const auto openMainWindow = [&] {
        timeline.Mark("toolkit started");
        if (variant.style)
            quillomat::LoadProgramStyle();
        timeline.Mark("style sheet");
        if (variant.timeline)
            MeasureParts(timeline);
        holdPageLoads = variant.navigateAfterShow || variant.navigateAfterMap;
        mainWindow =
            std::make_unique<quillomat::MainWindow>(desktop, quillomat::MainWindow::Options{});
        timeline.Mark("main window made");
        mainWindow->signal_map_event().connect([&](GdkEventAny*) {
            timeline.Mark("map event");
            if (variant.navigateAfterMap)
                Glib::signal_idle().connect_once(&ReleaseHeldPageLoads);
            return false;
        });
        mainWindow->signal_draw().connect(
            [&](const Cairo::RefPtr<Cairo::Context>&) {
                timeline.Mark("draw");
                return false;
            },
            false);
    };

    if (!variant.application) {
        gtk_init(nullptr, nullptr);
        Gtk::Main::init_gtkmm_internals();
        quillomat::InstallUnexpectedErrorReport();
        openMainWindow();
        mainWindow->show();
        timeline.Mark("shown");
        if (variant.navigateAfterShow)
            ReleaseHeldPageLoads();
        gtk_main();
        return 0;
    }
    auto application = Gtk::Application::create(ApplicationId, Gio::APPLICATION_NON_UNIQUE);
    quillomat::InstallUnexpectedErrorReport();
    timeline.Mark("application made");
    application->signal_startup().connect([&] { timeline.Mark("application startup"); });
    application->signal_activate().connect([&] {
        openMainWindow();
        application->add_window(*mainWindow);
        application->hold();
        mainWindow->show();
        timeline.Mark("shown");
        if (variant.navigateAfterShow)
            ReleaseHeldPageLoads();
    });
    return application->run();
}
