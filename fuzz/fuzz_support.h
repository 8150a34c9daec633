#pragma once

// Helpers shared by the fuzz targets: splitting the input into fields, the naive reference
// replacement that the core's results are compared with, and a check that aborts on a mismatch
// so that libFuzzer reports a crash and the corpus replay test fails.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define FUZZ_CHECK(condition)                                                               \
    do {                                                                                    \
        if (!(condition)) {                                                                 \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, \
                         #condition);                                                       \
            std::abort();                                                                   \
        }                                                                                   \
    } while (false)

namespace quillomat::fuzz {

// Fields are separated by a line feed, so that seed files read as plain text. The last field
// takes the rest of the input, line feeds included (a multi-line template, say); fields that the
// input does not reach are empty.
inline constexpr char FieldSeparator = '\n';

template <std::size_t Count>
std::array<std::string_view, Count> SplitFields(const std::uint8_t* data, std::size_t size)
{
    std::array<std::string_view, Count> fields{};
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (std::size_t i = 0; i + 1 < Count; ++i) {
        const std::size_t end = rest.find(FieldSeparator);
        if (end == std::string_view::npos) {
            fields[i] = rest;
            return fields;
        }
        fields[i] = rest.substr(0, end);
        rest.remove_prefix(end + 1);
    }
    fields[Count - 1] = rest;
    return fields;
}

// Whether `pattern` stands in `text` at `position`, compared one character at a time.
inline bool StandsAt(std::string_view text, std::size_t position, std::string_view pattern)
{
    if (position > text.size() || text.size() - position < pattern.size())
        return false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (text[position + i] != pattern[i])
            return false;
    }
    return true;
}

struct NaiveReplacement {
    std::string text;
    std::size_t count = 0;  // occurrences replaced
};

// The obviously correct replacement: walk the text index by index; where the pattern stands,
// emit the replacement and jump past the pattern, otherwise copy one character.
inline NaiveReplacement NaiveReplaceAll(std::string_view text, std::string_view pattern,
                                        std::string_view replacement)
{
    NaiveReplacement result;
    if (pattern.empty()) {
        result.text = text;
        return result;
    }
    std::size_t i = 0;
    while (i < text.size()) {
        if (StandsAt(text, i, pattern)) {
            result.text += replacement;
            ++result.count;
            i += pattern.size();
        } else {
            result.text += text[i];
            ++i;
        }
    }
    return result;
}

}  // namespace quillomat::fuzz
