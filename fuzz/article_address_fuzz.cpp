// Fuzz target for ArticleNumberFromAddress. Input: the address, every byte of it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "browser/article_address.h"
#include "fuzz/fuzz_support.h"
#include "linkcode/service_hosts.h"

namespace quillomat::fuzz {
namespace {

// The four prefixes written out again, independently of the core's table, in removal order.
std::array<std::string, 4> ExpectedPrefixes()
{
    const std::string path = "/admBloger/article.phtml?edit_article=1&id=";
    const std::string primary(PrimaryServiceHost);
    const std::string secondary(SecondaryServiceHost);
    return {"http://www." + primary + path, "http://" + primary + path,
            "http://www." + secondary + path, "http://" + secondary + path};
}

void CheckArticleNumberFromAddress(std::string_view address)
{
    static const std::array<std::string, 4> prefixes = ExpectedPrefixes();
    FUZZ_CHECK(ArticleEditPrefixes == prefixes);

    bool startsWithPrefix = false;
    for (const std::string& prefix : prefixes)
        startsWithPrefix = startsWithPrefix || StandsAt(address, 0, prefix);

    const ArticleMatch match = ArticleNumberFromAddress(address);
    FUZZ_CHECK(match.accepted == startsWithPrefix);
    if (!match.accepted)
        return;

    // Each prefix in turn, every occurrence, one pass each over what the last pass left.
    std::string expected(address);
    std::size_t removedLength = 0;
    for (const std::string& prefix : prefixes) {
        NaiveReplacement pass = NaiveReplaceAll(expected, prefix, {});
        removedLength += pass.count * prefix.size();
        expected = std::move(pass.text);
    }
    FUZZ_CHECK(match.number == expected);
    // At least the leading prefix goes, and nothing but whole prefixes does.
    FUZZ_CHECK(removedLength >= prefixes[3].size());
    FUZZ_CHECK(match.number.size() + removedLength == address.size());
}

}  // namespace
}  // namespace quillomat::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    quillomat::fuzz::CheckArticleNumberFromAddress(
        std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
