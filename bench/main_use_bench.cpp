// The main use, timed inside the real main window: from the browser pane showing an
// article-edit page to the clipboard holding that article's link code. Message boxes are left
// out: the desktop stand-in records them and returns at once; the clipboard is the real one.
//
//   main_use_bench [--addresses N] [--warm-up N] [--pause-ms MS] [--tsv]
//
// The pane goes through N different article-edit addresses of a loopback site, one after the
// other, each page loaded and then left for the pause (50 ms unless told: the page shows, the
// user clicks) before the next. The start is taken when the load commits, in an emission hook of
// the web view's "load-changed" signal: the hook runs before every connected handler, the
// pane's included (the signal runs last). The end is taken when the X server tells that the
// program owns the clipboard, inside the real clipboard call; the rest of the call, the check
// that no other program took the clipboard back before the box tells of the copy, is reported
// apart. --tsv prints one line: addresses, median, p99, maximum, and the medians of the part
// before the clipboard call, of the claim and of the check (us).
#include <glib-object.h>
#include <webkit2/webkit2.h>

#include <gtkmm/clipboard.h>
#include <gtkmm/main.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/desktop/gtk_desktop_services.h"
#include "app/look/bundled_fonts.h"
#include "app/look/window_look.h"
#include "app/main_window/main_window.h"
#include "tests/support/clipboard_reader.h"
#include "tests/support/loopback_site.h"
#include "tests/support/main_loop_wait.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

const std::string HomePage = "http://www.skyblog.com/";
const std::string ArticlePage = "http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=";

// What one address change is waiting for, and when each step happened.
struct Step {
    std::string address;
    std::optional<Clock::time_point> addressChanged;
    std::optional<Clock::time_point> clipboardCalled;
    std::optional<Clock::time_point> clipboardHolds;
    std::optional<Clock::time_point> clipboardChecked;
    std::string copiedText;
    int copies = 0;
    bool loadFinished = false;
};

Step* currentStep = nullptr;

// Message boxes recorded and closed at once; the real clipboard, timed.
class TimedDesktop : public quillomat::DesktopServices {
public:
    std::unique_ptr<quillomat::ColourPicker> CreateColourPicker(
        Gtk::Window& parent, quillomat::ColorValue initialColour) override
    {
        return real_.CreateColourPicker(parent, initialColour);
    }
    std::optional<std::string> OpenExternalPage(std::string_view) override
    {
        return "no external pages in the benchmark";
    }

    int messages = 0;

protected:
    void RunMessageBox(std::string_view, quillomat::MessageIcon, std::string_view) override
    {
        ++messages;
    }
    void HideOpenBoxes() override {}
    bool PlaceOnClipboard(std::string_view text) override
    {
        // The program's own claim is the first change of owner that the X server reports.
        std::optional<Clock::time_point> claimed;
        sigc::connection claim = Gtk::Clipboard::get(GDK_SELECTION_CLIPBOARD)
                                     ->signal_owner_change()
                                     .connect([&claimed](GdkEventOwnerChange*) {
                                         if (!claimed)
                                             claimed = Clock::now();
                                     });
        const auto called = Clock::now();
        const bool held = real_.PutTextOnClipboard(text);
        const auto checked = Clock::now();
        claim.disconnect();
        if (currentStep) {
            if (!currentStep->clipboardHolds) {
                currentStep->clipboardCalled = called;
                currentStep->clipboardHolds = claimed.value_or(checked);
                currentStep->clipboardChecked = checked;
            }
            currentStep->copiedText = text;
            ++currentStep->copies;
        }
        return held;
    }

private:
    quillomat::GtkDesktopServices real_;
};

gboolean OnLoadChangedFirst(GSignalInvocationHint*, guint, const GValue* values, gpointer)
{
    auto* view = WEBKIT_WEB_VIEW(g_value_get_object(&values[0]));
    if (currentStep && !currentStep->addressChanged &&
        g_value_get_enum(&values[1]) == WEBKIT_LOAD_COMMITTED) {
        const char* uri = webkit_web_view_get_uri(view);
        if (uri && currentStep->address == uri)
            currentStep->addressChanged = Clock::now();
    }
    return TRUE;
}

void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, void*)
{
    if (currentStep && event == WEBKIT_LOAD_FINISHED)
        currentStep->loadFinished = true;
}

WebKitWebView* FindWebView(GtkWidget* widget)
{
    if (WEBKIT_IS_WEB_VIEW(widget))
        return WEBKIT_WEB_VIEW(widget);
    if (!GTK_IS_CONTAINER(widget))
        return nullptr;
    struct Search {
        WebKitWebView* found = nullptr;
    } search;
    gtk_container_forall(
        GTK_CONTAINER(widget),
        [](GtkWidget* child, void* data) {
            auto* search = static_cast<Search*>(data);
            if (!search->found)
                search->found = FindWebView(child);
        },
        &search);
    return search.found;
}

std::string ArticlePageHtml(int number)
{
    return "<!DOCTYPE html><html><head><meta charset='utf-8'><title>Modifier l'article</title>"
           "</head><body><h1>Modifier l'article " +
           std::to_string(number) +
           "</h1><form><textarea name='texte'>Le texte de l'article.</textarea>"
           "<button>Enregistrer</button></form></body></html>";
}

double Microseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::micro>(duration).count();
}

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    // Nearest rank.
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * values.size()));
    return values[std::max<std::size_t>(rank, 1) - 1];
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Options {
    int addresses = 1000;
    int warmUp = 20;
    std::chrono::milliseconds pause = 50ms;
    bool tsv = false;
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--addresses" && i + 1 < argc)
            options.addresses = std::stoi(argv[++i]);
        else if (option == "--warm-up" && i + 1 < argc)
            options.warmUp = std::stoi(argv[++i]);
        else if (option == "--pause-ms" && i + 1 < argc)
            options.pause = std::chrono::milliseconds(std::stoi(argv[++i]));
        else if (option == "--tsv")
            options.tsv = true;
        else
            throw std::invalid_argument(
                "usage: main_use_bench [--addresses N] [--warm-up N] [--pause-ms MS] [--tsv]");
    }
    return options;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        const Options options = ParseOptions(argc, argv);
        // Started as the program starts.
        quillomat::RegisterBundledFonts();
        gtk_init(nullptr, nullptr);
        Gtk::Main::init_gtkmm_internals();
        quillomat::LoadProgramStyle();
        // The web view's signals exist once its class does.
        g_type_class_ref(WEBKIT_TYPE_WEB_VIEW);
        g_signal_add_emission_hook(g_signal_lookup("load-changed", WEBKIT_TYPE_WEB_VIEW), 0,
                                   &OnLoadChangedFirst, nullptr, nullptr);

        quillomat::testing::LoopbackSite site;
        site.AddPage(HomePage, "<!DOCTYPE html><html><body><p>Accueil</p></body></html>");
        const int total = options.warmUp + options.addresses;
        for (int id = 1; id <= total; ++id)
            site.AddPage(ArticlePage + std::to_string(id), ArticlePageHtml(id));

        TimedDesktop desktop;
        quillomat::MainWindow::Options windowOptions;
        windowOptions.browser.proxyAddress = site.ProxyAddress();
        quillomat::MainWindow window(desktop, windowOptions);
        window.show();
        WebKitWebView* view = FindWebView(GTK_WIDGET(window.gobj()));
        if (!view)
            throw std::runtime_error("no web view in the main window");
        g_signal_connect(view, "load-changed", G_CALLBACK(&OnLoadChanged), nullptr);
        using quillomat::testing::RunMainLoopUntil;
        if (!RunMainLoopUntil(
                [&] {
                    const char* uri = webkit_web_view_get_uri(view);
                    return window.get_mapped() && uri && HomePage == uri &&
                           !webkit_web_view_is_loading(view);
                },
                60s))
            throw std::runtime_error("the home page did not load");
        RunMainLoopUntil([] { return false; }, 200ms);

        std::vector<double> totalTimes, beforeClipboardTimes, clipboardTimes, checkTimes;
        for (int id = 1; id <= total; ++id) {
            Step step;
            step.address = ArticlePage + std::to_string(id);
            currentStep = &step;
            webkit_web_view_load_uri(view, step.address.c_str());
            if (!RunMainLoopUntil([&] { return step.clipboardHolds && step.loadFinished; }, 20s))
                throw std::runtime_error("no copy or no load for " + step.address);
            currentStep = nullptr;
            RunMainLoopUntil([] { return false; }, options.pause);
            if (!step.addressChanged)
                throw std::runtime_error("no address change seen for " + step.address);
            const std::string expected = "&id_article=" + std::to_string(id) + "&";
            if (step.copies != 1 || step.copiedText.find(expected) == std::string::npos)
                throw std::runtime_error("wrong copy for " + step.address + ": " +
                                         std::to_string(step.copies) + " copies");
            if (id <= options.warmUp)
                continue;
            totalTimes.push_back(Microseconds(*step.clipboardHolds - *step.addressChanged));
            beforeClipboardTimes.push_back(
                Microseconds(*step.clipboardCalled - *step.addressChanged));
            clipboardTimes.push_back(Microseconds(*step.clipboardHolds - *step.clipboardCalled));
            checkTimes.push_back(Microseconds(*step.clipboardChecked - *step.clipboardHolds));
        }
        // Another process reads what the last step put on the clipboard.
        const std::string pasted = quillomat::testing::ReadClipboardWithXclip(10s);
        if (pasted.find("&id_article=" + std::to_string(total) + "&") == std::string::npos)
            throw std::runtime_error("the clipboard does not hold the last article's code");
        if (desktop.messages != total)
            throw std::runtime_error("expected one message per copy, got " +
                                     std::to_string(desktop.messages));

        const double median = Median(totalTimes);
        const double p99 = Percentile(totalTimes, 0.99);
        const double maximum = *std::max_element(totalTimes.begin(), totalTimes.end());
        if (options.tsv) {
            // addresses, median, p99, max, then the medians of the parts (microseconds).
            std::printf("%d\t%.1f\t%.1f\t%.1f\t%.1f\t%.1f\t%.1f\n", options.addresses, median, p99,
                        maximum, Median(beforeClipboardTimes), Median(clipboardTimes),
                        Median(checkTimes));
        } else {
            std::printf("Page shown to the clipboard holding the code, %d addresses:\n",
                        options.addresses);
            std::printf("  median %.1f us, p99 %.1f us, max %.1f us\n", median, p99, maximum);
            std::printf(
                "  of which up to the clipboard call: median %.1f us; the claim: median %.1f "
                "us, p99 %.1f us\n  then the check before the box: median %.1f us\n",
                Median(beforeClipboardTimes), Median(clipboardTimes),
                Percentile(clipboardTimes, 0.99), Median(checkTimes));
        }
        window.hide();
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "main_use_bench: " << error.what() << "\n";
        return 1;
    }
}
