#include "app/desktop/desktop_services.h"

#include <glibmm/main.h>

#include <utility>

namespace quillomat {

DesktopServices::~DesktopServices()
{
    idle_.disconnect();
}

void DesktopServices::ShowMessage(Gtk::Window& parent, std::string_view text, MessageIcon icon,
                                  std::string_view title)
{
    Gtk::Window* const previous = std::exchange(asking_, &parent);
    MainUseDesktop::ShowMessage(text, icon, title);
    asking_ = previous;
}

void DesktopServices::RunWhenIdle(std::function<void()> task)
{
    idle_ = Glib::signal_idle().connect([task = std::move(task)] {
        task();
        return false;
    });
}

}  // namespace quillomat
