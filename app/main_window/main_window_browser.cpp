// The main window's side of the browser pane: the load step, "Aller à..." and the address.
#include <glibmm/main.h>

#include <utility>

#include "app/main_window/main_window.h"
#include "app/main_window/main_window_texts.h"
#include "browser/service_addresses.h"

namespace quillomat {

namespace texts = main_window_texts;

bool MainWindow::on_map_event(GdkEventAny* event)
{
    // Starting the web engine takes longer than drawing the whole window: the page is asked for
    // once the window is on screen and drawn (the idle source runs after the redraw).
    if (!loadStepDone_)
        Glib::signal_idle().connect_once(sigc::mem_fun(*this, &MainWindow::RunLoadStep));
    return Gtk::Window::on_map_event(event);
}

void MainWindow::MirrorCurrentAddress(const std::string& address, AddressChange change)
{
    mainUse_.OnLocationChanged(address, change);
}

// The pane opens the service's home page, once.
void MainWindow::RunLoadStep()
{
    if (!std::exchange(loadStepDone_, true))
        Web1.Navigate(HomePageAddress());
}

void MainWindow::OnGoClicked()
{
    // A click that comes before the window's first drawing still finds the home page asked for.
    RunLoadStep();
    Web1.Navigate(Text13.get_text());
}

void MainWindow::OnBrowserRecoveryAbandoned()
{
    desktop_.ShowMessage(*this, texts::BrowserKeptStopping, MessageIcon::Error, ApplicationTitle);
}

}  // namespace quillomat
