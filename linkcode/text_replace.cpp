#include "linkcode/text_replace.h"

#include <functional>

namespace quillomat {

std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement)
{
    if (pattern.empty())
        return std::string(text);

    // Boyer-Moore-Horspool keeps the pass linear in practice even for long patterns.
    const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end());
    std::string result;
    result.reserve(text.size());
    auto rest = text.begin();
    while (true) {
        const auto [matchBegin, matchEnd] = searcher(rest, text.end());
        result.append(rest, matchBegin);
        if (matchBegin == text.end())
            break;
        result.append(replacement);
        rest = matchEnd;
    }
    return result;
}

std::string RemoveAll(std::string_view text, std::string_view pattern)
{
    return ReplaceAll(text, pattern, {});
}

}  // namespace quillomat
