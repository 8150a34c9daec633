// The floor for the start-up and memory benchmarks: the least a program on Quillomat's stack
// (gtkmm 3, WebKitGTK) can do to show the home page: one window holding only a web view with an
// ephemeral context, as the browser pane makes it, the size of the pane; it shows the window,
// then asks for the page. Options add one of Quillomat's own start-up steps at a time, so that
// the cost of each can be measured against the bare floor:
//   --sandbox            run the web content in WebKit's bubblewrap sandbox
//   --sandbox-probe      run bubblewrap once before the window, as the pane's probe does
//   --colour-choosers N  create N hidden colour chooser dialogs, as the main window does
//   --memory-settings    use the in-memory GSettings backend, as the program does
//   --application        start through a non-unique Gtk::Application instead of gtk_main
//   --fonts DIR          add DIR to fontconfig's application fonts
//   --load-before-show   ask for the page before showing the window, as the main window does
//   --load-after-map     ask for it once the window is mapped and the main loop is idle
//   --timeline           print when each step ends
#include <fontconfig/fontconfig.h>
#include <glib.h>
#include <webkit2/webkit2.h>

#include <glibmm/main.h>
#include <gtkmm/application.h>
#include <gtkmm/colorchooserdialog.h>
#include <gtkmm/main.h>
#include <gtkmm/window.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr char HomePage[] = "http://www.skyblog.com";
constexpr char Title[] = "Quillomat floor";
constexpr int PaneWidth = 809;
constexpr int PaneHeight = 345;

struct Variant {
    bool sandbox = false;
    bool sandboxProbe = false;
    int colourChoosers = 0;
    bool memorySettings = false;
    bool application = false;
    std::string fontFolder;
    bool timeline = false;
    bool loadBeforeShow = false;
    bool loadAfterMap = false;
};

bool timelineOn = false;

// Prints each step's time on the monotonic clock, which the start-up driver's log also uses.
void Mark(const char* step)
{
    if (!timelineOn)
        return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::fprintf(stderr, "timeline %.3f %s\n",
                 std::chrono::duration<double, std::milli>(now).count(), step);
}

Variant ReadVariant(int argc, char** argv)
{
    Variant variant;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--sandbox")
            variant.sandbox = true;
        else if (option == "--sandbox-probe")
            variant.sandboxProbe = true;
        else if (option == "--colour-choosers" && hasValue)
            variant.colourChoosers = std::atoi(argv[++i]);
        else if (option == "--memory-settings")
            variant.memorySettings = true;
        else if (option == "--application")
            variant.application = true;
        else if (option == "--load-before-show")
            variant.loadBeforeShow = true;
        else if (option == "--load-after-map")
            variant.loadAfterMap = true;
        else if (option == "--timeline")
            variant.timeline = true;
        else if (option == "--fonts" && hasValue)
            variant.fontFolder = argv[++i];
        else {
            std::cerr << "floor_browser: unknown option " << option << "\n";
            std::exit(2);
        }
    }
    return variant;
}

void ProbeSandbox()
{
    const gchar* argv[] = {"bwrap",
                           "--ro-bind",
                           "/",
                           "/",
                           "--dev",
                           "/dev",
                           "--proc",
                           "/proc",
                           "--unshare-user-try",
                           "--unshare-pid",
                           "--unshare-ipc",
                           "--unshare-uts",
                           "--unshare-net",
                           "--die-with-parent",
                           "true",
                           nullptr};
    g_spawn_sync(
        nullptr, const_cast<gchar**>(argv), nullptr,
        GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL),
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

// The window and its view, alive until the process is killed.
class FloorWindow : public Gtk::Window {
public:
    explicit FloorWindow(const Variant& variant)
    {
        set_title(Title);
        set_default_size(PaneWidth, PaneHeight);
        WebKitWebsiteDataManager* dataManager = webkit_website_data_manager_new_ephemeral();
        WebKitWebContext* context = webkit_web_context_new_with_website_data_manager(dataManager);
        g_object_unref(dataManager);
        webkit_web_context_set_sandbox_enabled(context, variant.sandbox);
        GtkWidget* view = webkit_web_view_new_with_context(context);
        g_object_unref(context);
        add(*Glib::wrap(view));
        Mark("web view made");
        for (int i = 0; i < variant.colourChoosers; ++i)
            choosers_.push_back(std::make_unique<Gtk::ColorChooserDialog>());
        auto* webView = WEBKIT_WEB_VIEW(view);
        const bool loadAfterMap = variant.loadAfterMap;
        signal_map_event().connect([webView, loadAfterMap](GdkEventAny*) {
            Mark("map event");
            if (loadAfterMap)
                Glib::signal_idle().connect_once(
                    [webView] { webkit_web_view_load_uri(webView, HomePage); });
            return false;
        });
        if (variant.loadBeforeShow)
            webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), HomePage);
        show_all();
        Mark("shown");
        if (!variant.loadBeforeShow && !variant.loadAfterMap)
            webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), HomePage);
    }

private:
    std::vector<std::unique_ptr<Gtk::ColorChooserDialog>> choosers_;
};

}  // namespace

int main(int argc, char** argv)
{
    const Variant variant = ReadVariant(argc, argv);
    timelineOn = variant.timeline;
    Mark("main");
    if (variant.memorySettings)
        g_setenv("GSETTINGS_BACKEND", "memory", TRUE);
    if (!variant.fontFolder.empty())
        FcConfigAppFontAddDir(nullptr,
                              reinterpret_cast<const FcChar8*>(variant.fontFolder.c_str()));
    if (variant.sandboxProbe)
        ProbeSandbox();

    if (variant.application) {
        auto application =
            Gtk::Application::create("org.quillomat.Floor", Gio::APPLICATION_NON_UNIQUE);
        std::unique_ptr<FloorWindow> window;
        application->signal_activate().connect([&] {
            window = std::make_unique<FloorWindow>(variant);
            application->add_window(*window);
        });
        return application->run();
    }
    gtk_init(nullptr, nullptr);
    Gtk::Main::init_gtkmm_internals();
    Mark("toolkit started");
    FloorWindow window(variant);
    gtk_main();
    return 0;
}
