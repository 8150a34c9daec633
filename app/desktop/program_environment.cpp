#include "app/desktop/program_environment.h"

#include <glib.h>

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

void KeepAddedWordsForTheRun()
{
    // Enchant keeps each language's added and excluded words in files of its settings folder,
    // which it creates as soon as a dictionary is opened. In a folder that no one can create it
    // keeps them in memory instead.
    SetProgramVariable("ENCHANT_CONFIG_DIR", "/dev/null");
}

}  // namespace quillomat
