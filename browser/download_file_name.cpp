#include "browser/download_file_name.h"

#include <glib.h>

namespace quillomat {

namespace {

// Longer than this, what follows the last dot is no extension but part of the name.
constexpr std::size_t MaxExtensionBytes = 16;

// Characters that must not reach a file name: they leave the folder, are invisible, break the
// line, or reorder what the user reads (a name ending "txt.exe" shown as "exe.txt").
bool IsUnwanted(char32_t c)
{
    return c == '/' || c == '\\' || c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x200E ||
           c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
           c == 0x2028 || c == 0x2029;
}

}  // namespace

std::string SafeDownloadName(std::string_view suggested)
{
    std::string name;
    name.reserve(suggested.size());
    for (std::size_t at = 0; at < suggested.size();) {
        const gchar* start = suggested.data() + at;
        const gunichar character =
            g_utf8_get_char_validated(start, static_cast<gssize>(suggested.size() - at));
        // A byte that starts no valid sequence is one character of its own.
        const bool valid = character < 0x110000 && (character != 0 || *start == '\0');
        const std::size_t length = valid ? g_utf8_skip[static_cast<guchar>(*start)] : 1;
        if (!valid || IsUnwanted(character))
            name += '_';
        else
            name.append(start, length);
        at += length;
    }
    name.erase(0, name.find_first_not_of('.'));
    if (name.size() <= MaxFileNameBytes)
        return name;

    const std::size_t dot = name.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && dot > 0 && name.size() - dot <= MaxExtensionBytes + 1;
    const std::string_view extension =
        hasExtension ? std::string_view(name).substr(dot) : std::string_view();
    const std::string_view stem = std::string_view(name).substr(0, name.size() - extension.size());
    // The name is valid UTF-8 by now: its longest valid start within the room ends at a character.
    const gchar* cutEnd = nullptr;
    g_utf8_validate(stem.data(), static_cast<gssize>(MaxFileNameBytes - extension.size()), &cutEnd);
    return std::string(stem.data(), cutEnd).append(extension);
}

}  // namespace quillomat
