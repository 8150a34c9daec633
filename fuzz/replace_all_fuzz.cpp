// Fuzz target for ReplaceAll and RemoveAll. Input: pattern, line feed, replacement, line feed,
// text (the text takes the rest of the input, line feeds included).

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "linkcode/text_replace.h"

namespace quillomat::fuzz {
namespace {

void CheckReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement)
{
    const NaiveReplacement expected = NaiveReplaceAll(text, pattern, replacement);
    const std::string replaced = ReplaceAll(text, pattern, replacement);
    FUZZ_CHECK(replaced == expected.text);

    // Each occurrence swaps the pattern's length for the replacement's, and occurrences do not
    // overlap, so they fit in the text side by side.
    FUZZ_CHECK(expected.count * pattern.size() <= text.size());
    FUZZ_CHECK(replaced.size() + expected.count * pattern.size() ==
               text.size() + expected.count * replacement.size());

    // Replacing a pattern by itself, or replacing nothing, leaves the text as it was.
    FUZZ_CHECK(ReplaceAll(text, pattern, pattern) == text);
    FUZZ_CHECK(ReplaceAll(text, {}, replacement) == text);

    const std::string removed = RemoveAll(text, pattern);
    FUZZ_CHECK(removed == NaiveReplaceAll(text, pattern, {}).text);
    FUZZ_CHECK(removed.size() + expected.count * pattern.size() == text.size());
}

}  // namespace
}  // namespace quillomat::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [pattern, replacement, text] = quillomat::fuzz::SplitFields<3>(data, size);
    quillomat::fuzz::CheckReplaceAll(text, pattern, replacement);
    return 0;
}
