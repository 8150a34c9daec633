#include <glibmm/main.h>
#include <gtkmm/messagedialog.h>

#include <iostream>

#include "app/desktop/gtk_desktop_services.h"
#include "app/desktop/unexpected_error_report.h"
#include "tests/support/loopback_site.h"
#include "tests/support/widget_probe.h"
#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

// Stands for any toolkit or component call that fails inside a handler.
class FailingDesktop : public RecordingDesktop {
protected:
    void RunMessageBox(std::string_view, MessageIcon, std::string_view) override
    {
        throw std::runtime_error("panne simulée");
    }
    bool PlaceOnClipboard(std::string_view) override
    {
        throw std::system_error(std::make_error_code(std::errc::device_or_resource_busy),
                                "presse-papiers occupé");
    }
};

// Writes the report box that shows up to stderr, then closes it as the user would.
bool DescribeAndCloseReport()
{
    for (Gtk::MessageDialog* box : ShownWindows<Gtk::MessageDialog>()) {
        std::cerr << "[" << box->get_title() << "] " << box->property_text().get_value()
                  << std::endl;
        box->response(Gtk::RESPONSE_OK);
    }
    return true;
}

// The main window on a failing desktop, its generator clicked or an article shown.
void RunWithFailingDesktop(bool showAnArticle)
{
    GtkDesktopServices reportBoxes;
    InstallUnexpectedErrorReport(reportBoxes);
    LoopbackSite site;
    FailingDesktop desktop;
    MainWindow window(desktop, {{showAnArticle ? site.ProxyAddress() : "http://127.0.0.1:9"}});
    window.show();
    Glib::signal_timeout().connect(&DescribeAndCloseReport, 200);
    if (showAnArticle) {
        MainWindowTestAccess::Caption(window, 13)
            .set_text("http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=7");
        MainWindowTestAccess::Button(window, 6).clicked();
        // The report ends the process long before; the bound only stops a run that went on.
        RunMainLoopUntil([] { return false; }, 90s);
    } else {
        MainWindowTestAccess::Button(window, 4).clicked();
    }
    std::cerr << "the program went on" << std::endl;
    std::exit(0);
}

TEST(UnexpectedErrorDeathTest, AnExceptionFromAHandlerIsReportedAndEndsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunWithFailingDesktop(false), ::testing::ExitedWithCode(1),
                "\\[Quillomat\\] Erreur inattendue n° 0 :\npanne simulée\n");
}

TEST(UnexpectedErrorDeathTest, AnExceptionFromABrowserNotificationIsReportedToo)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunWithFailingDesktop(true), ::testing::ExitedWithCode(1),
                "\\[Quillomat\\] Erreur inattendue n° 16 :\npresse-papiers occupé");
}

}  // namespace
}  // namespace quillomat::testing
