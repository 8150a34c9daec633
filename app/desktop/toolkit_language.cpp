#include "app/desktop/toolkit_language.h"

#include <locale.h>
#include <clocale>

#include <array>
#include <string>
#include <utility>

#include "app/desktop/program_environment.h"

namespace quillomat {

namespace {

// The categories of the C library's locale, by the variables that choose them.
constexpr std::array<std::pair<const char*, int>, 12> LocaleCategories = {{
    {"LC_CTYPE", LC_CTYPE},
    {"LC_NUMERIC", LC_NUMERIC},
    {"LC_TIME", LC_TIME},
    {"LC_COLLATE", LC_COLLATE},
    {"LC_MONETARY", LC_MONETARY},
    {"LC_MESSAGES", LC_MESSAGES},
    {"LC_PAPER", LC_PAPER},
    {"LC_NAME", LC_NAME},
    {"LC_ADDRESS", LC_ADDRESS},
    {"LC_TELEPHONE", LC_TELEPHONE},
    {"LC_MEASUREMENT", LC_MEASUREMENT},
    {"LC_IDENTIFICATION", LC_IDENTIFICATION},
}};

// Where the messages' locale is a plain C one, gettext translates nothing and ignores LANGUAGE:
// "C", "POSIX", and from Debian 13's C library on "C.UTF-8" too. The messages then take the first
// of these that is installed: the French one, else the one locale that Debian 12's C library always
// has and lets gettext translate under.
constexpr const char* MessagesLocales[] = {"fr_FR.UTF-8", "C.UTF-8"};

bool IsPlainCLocale(const std::string& name)
{
    return name == "C" || name == "POSIX" || name == "C.UTF-8" || name == "C.utf8";
}

bool LocaleExists(const char* name)
{
    locale_t locale = newlocale(LC_MESSAGES_MASK, name, static_cast<locale_t>(nullptr));
    if (!locale)
        return false;
    freelocale(locale);
    return true;
}

}  // namespace

void SpeakFrenchInTheToolkit()
{
    // gettext looks for translations in the languages that LANGUAGE lists, before the messages
    // locale's own; WebKit's web processes inherit it and translate the page's menus with it.
    SetProgramVariable("LANGUAGE", "fr");

    // What GTK and WebKit's processes will make of the environment: they set every category
    // from it, and when one of them names a locale that is not installed, all stay "C".
    const char* all = std::setlocale(LC_ALL, "");
    std::array<std::string, LocaleCategories.size()> resolved;
    for (std::size_t index = 0; index < LocaleCategories.size(); ++index)
        resolved[index] = all ? std::setlocale(LocaleCategories[index].second, nullptr) : "C";
    std::setlocale(LC_ALL, "C");

    std::size_t messages = 0;
    while (LocaleCategories[messages].second != LC_MESSAGES)
        ++messages;
    // The messages alone take another locale; every other category is written out as the C
    // library resolved it, so that nothing else changes, not even where a locale was missing. The
    // character set stays the desktop's: in a plain ASCII locale the C library's own French
    // messages (its error texts) come converted to ASCII, an accented letter as "?".
    if (!IsPlainCLocale(resolved[messages]))
        return;
    const char* messagesLocale = nullptr;
    for (const char* candidate : MessagesLocales) {
        if (LocaleExists(candidate)) {
            messagesLocale = candidate;
            break;
        }
    }
    if (!messagesLocale)
        return;
    SetProgramVariable("LC_ALL", nullptr);
    for (std::size_t index = 0; index < LocaleCategories.size(); ++index)
        SetProgramVariable(LocaleCategories[index].first,
                           index == messages ? messagesLocale : resolved[index].c_str());
}

}  // namespace quillomat
