#include "linkcode/caption_tags.h"

#include <gtest/gtest.h>

namespace quillomat {
namespace {

struct RemoveCase {
    const char* name;
    const char* caption;
    const char* withoutBold;
};

class RemoveBoldTagsTest : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(RemoveBoldTagsTest, RemovesOpeningThenClosingTagsInOnePassEach)
{
    EXPECT_EQ(RemoveTags(GetParam().caption, BoldTags), GetParam().withoutBold);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, RemoveBoldTagsTest,
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
                      RemoveCase{"AccentsKept", "[g]Séparé[/g]", "Séparé"}),
    [](const auto& info) { return info.param.name; });

TEST(RemoveTagsTest, ItalicTagsAreTheirOwnPair)
{
    EXPECT_EQ(RemoveTags("[g][i]/[/i][/g] [I]", ItalicTags), "[g]/[/g] [I]");
}

}  // namespace
}  // namespace quillomat
