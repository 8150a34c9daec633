#pragma once

#include <string>
#include <string_view>

namespace quillomat {

// An opening and closing pair of the mark-up's style tags.
struct StyleTags {
    std::string_view opening;
    std::string_view closing;
};

inline constexpr StyleTags BoldTags{"[g]", "[/g]"};
inline constexpr StyleTags ItalicTags{"[i]", "[/i]"};

std::string WrapInTags(std::string_view caption, StyleTags tags);

// Removes every opening tag, then every closing tag, each in one exact, case-sensitive pass:
// tags the user typed go too, but a tag that a removal joins together is left to the next pass.
std::string RemoveTags(std::string_view caption, StyleTags tags);

}  // namespace quillomat
