#include "linkcode/caption_tags.h"

#include <gtest/gtest.h>

namespace quillomat {
namespace {

struct RemoveCase {
    const char* name;
    const char* caption;
    const char* withoutTags;
    StyleTags tags = BoldTags;
    friend void PrintTo(const RemoveCase& c, std::ostream* out) { *out << c.name; }
};

class RemoveTagsTest : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(RemoveTagsTest, RemovesOpeningThenClosingTagsInOnePassEach)
{
    EXPECT_EQ(RemoveTags(GetParam().caption, GetParam().tags), GetParam().withoutTags);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, RemoveTagsTest,
    ::testing::Values(RemoveCase{"Empty", "", ""}, RemoveCase{"OnlyTags", "[g][/g]", ""},
                      RemoveCase{"Wrapped", "[g]Lire[/g]", "Lire"},
                      RemoveCase{"TypedInTheMiddle", "Ajou[g]ter un [/g]com[g]", "Ajouter un com"},
                      RemoveCase{"UpperCaseKept", "[G]Lire[/G]", "[G]Lire[/G]"},
                      RemoveCase{"JoinedOpeningKept", "[[g]g]", "[g]"},
                      RemoveCase{"JoinedClosingKept", "[/[/g]g]", "[/g]"},
                      // The closing pass runs after the opening pass and sees what it joined.
                      RemoveCase{"ClosingJoinedByOpeningPassGoes", "[/[g]g]", ""},
                      RemoveCase{"ClosingBeforeOpening", "[/g]x[g]", "x"},
                      RemoveCase{"ItalicUntouched", "[i][g]Lire[/g][/i]", "[i]Lire[/i]"},
                      RemoveCase{"IncompleteTagsKept", "[g Lire g] [/g", "[g Lire g] [/g"},
                      RemoveCase{"AccentsKept", "[g]Séparé[/g]", "Séparé"},
                      RemoveCase{"ItalicTagsAreTheirOwnPair", "[g][i]/[/i][/g] [I]", "[g]/[/g] [I]",
                                 ItalicTags}),
    [](const auto& info) { return info.param.name; });

TEST(WrapInTagsTest, WrapsWithOpeningAndClosingTags)
{
    EXPECT_EQ(WrapInTags("", BoldTags), "[g][/g]");
    EXPECT_EQ(WrapInTags(WrapInTags("Lire", BoldTags), ItalicTags), "[i][g]Lire[/g][/i]");
}

}  // namespace
}  // namespace quillomat
