// Fuzz target for FillLinkTemplate. Input: add-comment address, line feed, read-comments
// address, line feed, template (the template takes the rest of the input, line feeds included).

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "linkcode/link_code.h"

namespace quillomat::fuzz {
namespace {

constexpr std::string_view addPlaceholder = "[linkajout]";
constexpr std::string_view readPlaceholder = "[linklire]";

void CheckFillLinkTemplate(std::string_view linkTemplate, std::string_view addAddress,
                           std::string_view readAddress)
{
    // The reference: two naive passes, the second over the result of the first, so that an
    // address that itself holds "[linklire]" is filled too.
    const NaiveReplacement firstPass = NaiveReplaceAll(linkTemplate, addPlaceholder, addAddress);
    const NaiveReplacement secondPass =
        NaiveReplaceAll(firstPass.text, readPlaceholder, readAddress);

    const std::string filled = FillLinkTemplate(linkTemplate, addAddress, readAddress);
    FUZZ_CHECK(filled == secondPass.text);

    // The length follows from the counts alone: each placeholder gives way to its address.
    FUZZ_CHECK(firstPass.text.size() + firstPass.count * addPlaceholder.size() ==
               linkTemplate.size() + firstPass.count * addAddress.size());
    FUZZ_CHECK(filled.size() + secondPass.count * readPlaceholder.size() ==
               firstPass.text.size() + secondPass.count * readAddress.size());

    // Nothing outside the placeholders changes: filling each placeholder with itself gives the
    // template back, and a template without placeholders comes back as it was.
    FUZZ_CHECK(FillLinkTemplate(linkTemplate, addPlaceholder, readPlaceholder) == linkTemplate);
    if (firstPass.count == 0 && secondPass.count == 0)
        FUZZ_CHECK(filled == linkTemplate);
}

}  // namespace
}  // namespace quillomat::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [addAddress, readAddress, linkTemplate] =
        quillomat::fuzz::SplitFields<3>(data, size);
    quillomat::fuzz::CheckFillLinkTemplate(linkTemplate, addAddress, readAddress);
    return 0;
}
