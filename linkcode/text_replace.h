#pragma once

#include <string>
#include <string_view>

namespace quillomat {

// Replaces every occurrence of `pattern` in one left-to-right pass: matching is exact and
// case-sensitive, and neither the inserted text nor the joins it creates are scanned again.
// Linear in the size of the text. An empty pattern changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement);

std::string RemoveAll(std::string_view text, std::string_view pattern);

}  // namespace quillomat
