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

// The one locale of Debian's C library that is always there and is not "C".
constexpr char PlainUtf8Locale[] = "C.UTF-8";

bool IsPlainCLocale(const std::string& name)
{
    return name == "C" || name == "POSIX";
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
    // Under the "C" messages locale gettext translates nothing and ignores LANGUAGE. The
    // messages alone then take the plain UTF-8 locale; every other category is written out as
    // the C library resolved it, so that nothing else changes, not even where a locale was
    // missing. The character set stays the desktop's: in a plain ASCII locale the C library's
    // own French messages (its error texts) come converted to ASCII, an accented letter as "?".
    if (!IsPlainCLocale(resolved[messages]) || !LocaleExists(PlainUtf8Locale))
        return;
    SetProgramVariable("LC_ALL", nullptr);
    for (std::size_t index = 0; index < LocaleCategories.size(); ++index)
        SetProgramVariable(LocaleCategories[index].first,
                           index == messages ? PlainUtf8Locale : resolved[index].c_str());
}

}  // namespace quillomat
