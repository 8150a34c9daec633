#include "linkcode/link_code.h"

#include <gtest/gtest.h>

namespace quillomat {
namespace {

struct SkinCase {
    const char* name;
    const char* skin;
    const char* colour;
    friend void PrintTo(const SkinCase& c, std::ostream* out) { *out << c.name; }
};

class SkinColorTest : public ::testing::TestWithParam<SkinCase> {};

TEST_P(SkinColorTest, LooksUpTheWholeTextExactly)
{
    EXPECT_EQ(SkinColor(GetParam().skin), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(
    Skins, SkinColorTest,
    ::testing::Values(SkinCase{"First", "1", "#333333"}, SkinCase{"Seventh", "7", "#629962"},
                      SkinCase{"SharedWhite9", "9", "#ffffff"},
                      SkinCase{"SharedWhite11", "11", "#ffffff"},
                      SkinCase{"SharedBlack15", "15", "#000000"},
                      SkinCase{"Twelfth", "12", "#ffcecd"}, SkinCase{"Last", "24", "#313031"},
                      SkinCase{"PastTheTable", "25", ""}, SkinCase{"Zero", "0", ""},
                      SkinCase{"LeadingZero", "01", ""}, SkinCase{"LeadingBlank", " 1", ""},
                      SkinCase{"TrailingBlank", "1 ", ""}, SkinCase{"Empty", "", ""},
                      SkinCase{"Signed", "+1", ""}, SkinCase{"Hundred", "100", ""}),
    [](const auto& info) { return info.param.name; });

// The initial settings give the known template; empty captions and an unknown skin keep the blanks.
TEST(BuildLinkTemplateTest, TheTwoLinksWithTheirTagsAndBlanks)
{
    EXPECT_EQ(GradientTag(8388736, 16777088), "[x=#800080-#80FFFF]");
    EXPECT_EQ(BuildLinkTemplate(SkinColor("1"), GradientTag(8388736, 16777088),
                                GradientTag(16777088, 8388736), "Ajouter un commentaire", "/",
                                "Lire les commentaires"),
              "[a=[linkajout]][c=#333333][s][x=#800080-#80FFFF]Ajouter un commentaire "
              "/[/x][/a][a=[linklire]][c=#333333][s][x=#80FFFF-#800080] Lire les "
              "commentaires[/x][/a]");
    EXPECT_EQ(BuildLinkTemplate("", "[x=#A-#B]", "[x=#B-#C]", "", "", ""),
              "[a=[linkajout]][c=][s][x=#A-#B] [/x][/a][a=[linklire]][c=][s][x=#B-#C] [/x][/a]");
}

TEST(LinkAddressTest, AddressesCarryTheTextsVerbatim)
{
    EXPECT_EQ(AddCommentAddress("12345678", "3141592", "7"),
              "http://www.skyblog.com/admBloger/commentaireForm.phtml?id_skynaute=12345678"
              "&id_article=3141592&id_template=7");
    EXPECT_EQ(ReadCommentsAddress("monblog.skyblog.com", "3141592", "7"),
              "http://monblog.skyblog.com/3141592_comment_1.html?7");
    EXPECT_EQ(ReadCommentsAddress(" a b ", "1&page=2", ""),
              "http:// a b /1&page=2_comment_1.html?");
}

// A site can send the pane to an article address whose number ends the link and opens its own.
TEST(LinkAddressTest, BracketsOfTheNumberCannotOpenATag)
{
    const std::string number = "1][/a][a=http://ailleurs/]CLIQUEZ-ICI[/a]&page=2";
    const std::string written = "1%5D%5B/a%5D%5Ba=http://ailleurs/%5DCLIQUEZ-ICI%5B/a%5D&page=2";
    EXPECT_EQ(AddCommentAddress("12345678", number, "7"),
              "http://www.skyblog.com/admBloger/commentaireForm.phtml?id_skynaute=12345678"
              "&id_article=" +
                  written + "&id_template=7");
    EXPECT_EQ(ReadCommentsAddress("monblog.skyblog.com", number, "7"),
              "http://monblog.skyblog.com/" + written + "_comment_1.html?7");
    // Only the number is guarded: the user's own settings stay as typed.
    EXPECT_EQ(ReadCommentsAddress("[b]", "1", "[7]"), "http://[b]/1_comment_1.html?[7]");
}

struct FillCase {
    const char* name;
    const char* linkTemplate;
    const char* add;
    const char* read;
    const char* expected;
    friend void PrintTo(const FillCase& c, std::ostream* out) { *out << c.name; }
};

class FillLinkTemplateTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillLinkTemplateTest, ReplacesAddLinkThenReadLink)
{
    const FillCase& c = GetParam();
    EXPECT_EQ(FillLinkTemplate(c.linkTemplate, c.add, c.read), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, FillLinkTemplateTest,
    ::testing::Values(
        FillCase{"Empty", "", "A", "R", ""},
        FillCase{"EveryPlaceholder", "[linkajout][linkajout]-[linklire]-[linkajout]", "A", "R",
                 "AA-R-A"},
        FillCase{"OtherCaseOrInnerBlankLeft", "[LinkAjout][linkajout ][linklire]", "A", "R",
                 "[LinkAjout][linkajout ]R"},
        FillCase{"SecondPassScansTheFirstPassResult", "[linkajout]", "x[linklire]y", "R", "xRy"},
        FillCase{"ReadAddressNotRescanned", "[linklire]", "A", "[linkajout]", "[linkajout]"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quillomat
