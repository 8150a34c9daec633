#include "linkcode/settings_hand_back.h"

#include <gtest/gtest.h>

namespace quillomat {
namespace {

using enum MissingSetting;

struct ReviewCase {
    const char* name;
    BlogSettings typed;
    std::vector<MissingSetting> missing;
    std::optional<BlogSettings> handedBack;
    friend void PrintTo(const ReviewCase& c, std::ostream* out) { *out << c.name; }
};

class ReviewSettingsTest : public ::testing::TestWithParam<ReviewCase> {};

TEST_P(ReviewSettingsTest, ReportsEmptyFieldsInOrderAndHandsBackUnlessAllAreEmpty)
{
    const SettingsReview review = ReviewSettings(GetParam().typed);
    EXPECT_EQ(review.missing, GetParam().missing);
    EXPECT_EQ(review.handedBack, GetParam().handedBack);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReviewSettingsTest,
    ::testing::Values(
        ReviewCase{
            "AllFilled", {"a.skyblog.com", "1234", "7"}, {}, {{"a.skyblog.com", "1234", "7"}}},
        ReviewCase{"AllEmpty", {"", "", ""}, {BlogAddress, VoiceBoxId, SkinNumber}, {}},
        ReviewCase{"OnlyBlogEmpty", {"", "1", "2"}, {BlogAddress}, {{"", "1", "2"}}},
        ReviewCase{"OnlyIdEmpty", {"a", "", "2"}, {VoiceBoxId}, {{"a", "", "2"}}},
        ReviewCase{"OnlySkinEmpty", {"a", "1", ""}, {SkinNumber}, {{"a", "1", ""}}},
        ReviewCase{"OnlyIdFilled", {"", "1 2", ""}, {BlogAddress, SkinNumber}, {{"", "12", ""}}},
        ReviewCase{"EverySpaceOfTheIdGoes", {"a", " 12 34  5 ", "1"}, {}, {{"a", "12345", "1"}}},
        ReviewCase{"SpacesOnlyIdIsNotEmpty", {"a", "   ", "1"}, {}, {{"a", "", "1"}}},
        ReviewCase{
            "OtherBlanksInIdKept", {"a", "1\t2\u00A03", "1"}, {}, {{"a", "1\t2\u00A03", "1"}}},
        ReviewCase{"SpacesElsewhereKept", {" a b ", "9", " 7 "}, {}, {{" a b ", "9", " 7 "}}},
        ReviewCase{
            "SpacesOnlyBlogIsNotEmpty", {" ", "", ""}, {VoiceBoxId, SkinNumber}, {{" ", "", ""}}},
        ReviewCase{
            "TypedAsIs", {"http://Été.com", "A b", "25"}, {}, {{"http://Été.com", "Ab", "25"}}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quillomat
