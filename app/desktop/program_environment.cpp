#include "app/desktop/program_environment.h"

#include <glib.h>

#include <locale.h>
#include <clocale>
#include <map>
#include <optional>
#include <string>

namespace quillomat {

namespace {

// Each variable the program changed, with the desktop's value (none: it was not set).
std::map<std::string, std::optional<std::string>> desktopValues;

// Sets `name` to `value`, remembering the desktop's value.
void SetProgramVariable(const char* name, const char* value)
{
    const char* desktop = g_getenv(name);
    desktopValues.try_emplace(name, desktop ? std::optional<std::string>(desktop) : std::nullopt);
    g_setenv(name, value, TRUE);
}

}  // namespace

void GiveDesktopVariables(const Glib::RefPtr<Gio::AppLaunchContext>& context)
{
    for (const auto& [name, value] : desktopValues) {
        if (value)
            context->setenv(name, *value);
        else
            context->unsetenv(name);
    }
}

void SpeakFrenchInTheToolkit()
{
    // gettext looks for translations in the languages that LANGUAGE lists, before the messages
    // locale's own; WebKit's web processes inherit it and translate the page's menus with it.
    SetProgramVariable("LANGUAGE", "fr");
    // It ignores LANGUAGE under a plain C messages locale: "C", "POSIX" and, from Debian 13's C
    // library on, "C.UTF-8"; every category is "C" where the desktop names a locale that is not
    // installed. Those messages take the French locale where it is installed, else C.UTF-8, under
    // which Debian 12's C library still translates.
    const bool resolved = std::setlocale(LC_ALL, "") != nullptr;
    const std::string messages = std::setlocale(LC_MESSAGES, nullptr);
    std::setlocale(LC_ALL, "C");
    if (resolved && messages != "C" && messages != "POSIX" && !messages.starts_with("C."))
        return;
    for (const char* locale : {"fr_FR.UTF-8", "C.UTF-8"}) {
        if (locale_t exists = newlocale(LC_MESSAGES_MASK, locale, locale_t{})) {
            freelocale(exists);
            SetProgramVariable(resolved && !g_getenv("LC_ALL") ? "LC_MESSAGES" : "LC_ALL", locale);
            return;
        }
    }
}

void KeepAddedWordsForTheRun()
{
    // Enchant keeps added and excluded words in its settings folder, made once a dictionary
    // opens; in a folder that no one can create it keeps them in memory instead.
    SetProgramVariable("ENCHANT_CONFIG_DIR", "/dev/null");
}

}  // namespace quillomat
