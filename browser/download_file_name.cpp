#include "browser/download_file_name.h"

#include <cstdint>
#include <optional>

namespace quillomat {

namespace {

constexpr char Replacement = '_';
// Longer than this, what follows the last dot is no extension but part of the name.
constexpr std::size_t MaxExtensionBytes = 16;

struct Decoded {
    std::optional<char32_t> character;  // none for a byte that starts no valid sequence
    std::size_t length;
};

// One UTF-8 sequence at the start of `text`, as the standard allows it: no overlong forms, no
// surrogates, nothing above U+10FFFF.
Decoded DecodeOne(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t character = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        character = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        character = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        character = lead & 0x07;
        least = 0x10000;
    } else {
        return {std::nullopt, 1};
    }
    if (text.size() < length)
        return {std::nullopt, 1};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return {std::nullopt, 1};
        character = (character << 6) | (byte(i) & 0x3F);
    }
    if (character < least || character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF))
        return {std::nullopt, 1};
    return {character, length};
}

// Characters that must not reach a file name: they leave the folder, are invisible, break the
// line, or reorder what the user reads (a name ending "txt.exe" shown as "exe.txt").
bool IsUnwanted(char32_t c)
{
    return c == '/' || c == '\\' || c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x200E ||
           c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
           c == 0x2028 || c == 0x2029;
}

// The longest start of `text`, valid UTF-8, that takes at most `bytes` bytes.
std::string_view CutAtCharacter(std::string_view text, std::size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<std::uint8_t>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

}  // namespace

std::string SafeDownloadName(std::string_view suggested)
{
    std::string name;
    name.reserve(suggested.size());
    for (std::size_t at = 0; at < suggested.size();) {
        const Decoded decoded = DecodeOne(suggested.substr(at));
        if (!decoded.character || IsUnwanted(*decoded.character))
            name += Replacement;
        else
            name.append(suggested.substr(at, decoded.length));
        at += decoded.length;
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
    std::string cut(CutAtCharacter(stem, MaxFileNameBytes - extension.size()));
    cut.append(extension);
    return cut;
}

}  // namespace quillomat
