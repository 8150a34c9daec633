#include "app/desktop/desktop_services.h"

#include <glibmm/main.h>

namespace quillomat {

DesktopServices::~DesktopServices()
{
    idle_.disconnect();
}

void DesktopServices::RunWhenIdle(std::function<void()> task)
{
    idle_ = Glib::signal_idle().connect([task = std::move(task)] {
        task();
        return false;
    });
}

}  // namespace quillomat
