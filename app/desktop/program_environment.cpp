#include "app/desktop/program_environment.h"

#include <glib.h>

#include <clocale>
#include <cstring>
#include <map>
#include <optional>
#include <string>

namespace quillomat {

namespace {

// Each variable the program changed, with the desktop's value (none: it was not set).
std::map<std::string, std::optional<std::string>>& DesktopValues()
{
    static std::map<std::string, std::optional<std::string>> values;
    return values;
}

}  // namespace

void SetProgramVariable(const char* name, const char* value)
{
    if (!DesktopValues().count(name)) {
        const char* desktop = g_getenv(name);
        DesktopValues()[name] = desktop ? std::optional<std::string>(desktop) : std::nullopt;
    }
    if (value)
        g_setenv(name, value, TRUE);
    else
        g_unsetenv(name);
}

void GiveDesktopVariables(const Glib::RefPtr<Gio::AppLaunchContext>& context)
{
    for (const auto& [name, value] : DesktopValues()) {
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
    // It ignores LANGUAGE under the plain C messages locale, which is what every category falls
    // back to when the desktop names a locale that is not installed: those messages then take
    // the C library's UTF-8 locale.
    const bool resolved = std::setlocale(LC_ALL, "") != nullptr;
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    const bool plainC =
        !resolved || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0;
    std::setlocale(LC_ALL, "C");
    if (plainC)
        SetProgramVariable(resolved && !g_getenv("LC_ALL") ? "LC_MESSAGES" : "LC_ALL", "C.UTF-8");
}

void KeepAddedWordsForTheRun()
{
    // Enchant keeps each language's added and excluded words in files of its settings folder,
    // which it creates as soon as a dictionary is opened. In a folder that no one can create it
    // keeps them in memory instead.
    SetProgramVariable("ENCHANT_CONFIG_DIR", "/dev/null");
}

}  // namespace quillomat
