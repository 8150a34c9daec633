#include "linkcode/text_replace.h"

#include <gtest/gtest.h>

namespace quillomat {
namespace {

struct ReplaceCase {
    const char* name;
    const char* text;
    const char* pattern;
    const char* replacement;
    const char* expected;
    friend void PrintTo(const ReplaceCase& c, std::ostream* out) { *out << c.name; }
};

class ReplaceAllTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTest, ReplacesInOneLeftToRightPass)
{
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(ReplaceAll(c.text, c.pattern, c.replacement), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAllTest,
    ::testing::Values(ReplaceCase{"EmptyText", "", "[g]", "x", ""},
                      ReplaceCase{"EmptyPattern", "abc", "", "x", "abc"},
                      ReplaceCase{"EveryOccurrence", "[g]a[g]b[g]", "[g]", "", "ab"},
                      ReplaceCase{"JoinNotRescanned", "[[g]g]", "[g]", "", "[g]"},
                      ReplaceCase{"InsertedTextNotRescanned", "ab", "a", "aa", "aab"},
                      ReplaceCase{"CaseSensitive", "[G][g]", "[g]", "", "[G]"},
                      ReplaceCase{"NonOverlappingFromTheLeft", "aaa", "aa", "b", "ba"},
                      ReplaceCase{"AccentsKept", "é[g]à", "[g]", "ç", "éçà"}),
    [](const auto& info) { return info.param.name; });

TEST(ReplaceAllTest, LargeTemplateWithThousandsOfPlaceholders)
{
    std::string text;
    for (int i = 0; i < 50000; ++i)
        text += "ab[linkajout]";
    const std::string result = ReplaceAll(text, "[linkajout]", "X");
    EXPECT_EQ(result.size(), 50000u * 3);
    EXPECT_EQ(result.substr(0, 6), "abXabX");
}

}  // namespace
}  // namespace quillomat
