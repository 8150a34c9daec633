#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quillomat {

// Where the article-edit page's address stops and the article number begins, for both service
// hosts with and without "www.". The order matters: prefixes are removed in this order.
extern const std::array<std::string, 4> ArticleEditPrefixes;

struct ArticleMatch {
    bool accepted = false;
    std::string number;
};

// Accepts an address that begins with one of the article-edit prefixes and keeps whatever
// remains once every prefix has been removed, verbatim.
ArticleMatch ArticleNumberFromAddress(std::string_view address);

}  // namespace quillomat
