#include "app/desktop/external_page.h"

#include <gdkmm/applaunchcontext.h>
#include <gdkmm/display.h>
#include <giomm/appinfo.h>
#include <glibmm/error.h>
#include <glibmm/main.h>
#include <glibmm/uriutils.h>

#include <string>

#include "app/desktop/external_page_texts.h"
#include "app/desktop/gtk_desktop_services.h"
#include "app/desktop/program_environment.h"

namespace quillomat {

namespace texts = external_page_texts;

std::optional<std::string> GtkDesktopServices::OpenExternalPage(std::string_view address)
{
    std::string scheme = Glib::uri_parse_scheme(std::string(address));
    if (scheme.empty())
        scheme = "http";
    const Glib::RefPtr<Gio::AppInfo> browser = Gio::AppInfo::get_default_for_uri_scheme(scheme);
    if (!browser)
        return std::string(texts::NoBrowserReason) + scheme + "://";
    Glib::RefPtr<Gio::AppLaunchContext> context = Gio::AppLaunchContext::create();
    if (const Glib::RefPtr<Gdk::Display> display = Gdk::Display::get_default())
        context = display->get_app_launch_context();
    // The browser speaks the desktop's language, not the program's.
    GiveDesktopVariables(context);
    try {
        // A browser started with one address opens it in a window or tab of its own.
        if (!browser->launch_uri(std::string(address), context))
            return std::string(texts::LaunchFailedReason) + browser->get_name() + ")";
    } catch (const Glib::Error& error) {
        return std::string(texts::LaunchFailedReason) + error.what() + ")";
    }
    return std::nullopt;
}

void OpenExternalPage(DesktopServices& desktop, Gtk::Window& parent, std::string_view address)
{
    if (const std::optional<std::string> reason = desktop.OpenExternalPage(address))
        desktop.ShowMessage(parent,
                            std::string(texts::FailureStart) + std::string(address) +
                                std::string(texts::FailureMiddle) + *reason,
                            MessageIcon::Error, ApplicationTitle);
    // One pass over what is waiting, without waiting for more.
    Glib::MainContext::get_default()->iteration(false);
}

}  // namespace quillomat
