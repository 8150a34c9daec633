#include "browser/article_address.h"

#include <gtest/gtest.h>

namespace quillomat {
namespace {

const std::string Path = "/admBloger/article.phtml?edit_article=1&id=";

struct AddressCase {
    const char* name;
    std::string address;
    bool accepted;
    std::string number;
    friend void PrintTo(const AddressCase& c, std::ostream* out) { *out << c.name; }
};

class ArticleNumberFromAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(ArticleNumberFromAddressTest, AcceptsOnlyTheArticleEditPrefixes)
{
    const ArticleMatch match = ArticleNumberFromAddress(GetParam().address);
    EXPECT_EQ(match.accepted, GetParam().accepted);
    if (GetParam().accepted) {
        EXPECT_EQ(match.number, GetParam().number);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, ArticleNumberFromAddressTest,
    ::testing::Values(
        AddressCase{"PrimaryWithWww", "http://www.skyblog.com" + Path + "123", true, "123"},
        AddressCase{"PrimaryBare", "http://skyblog.com" + Path + "123", true, "123"},
        AddressCase{"SecondaryWithWww", "http://www.skyrock.com" + Path + "123", true, "123"},
        AddressCase{"SecondaryBare", "http://skyrock.com" + Path + "123", true, "123"},
        AddressCase{"FurtherParametersKept", "http://www.skyblog.com" + Path + "123&page=2", true,
                    "123&page=2"},
        AddressCase{"FragmentKept", "http://skyblog.com" + Path + "9#top", true, "9#top"},
        AddressCase{"NothingAfterId", "http://skyblog.com" + Path, true, ""},
        AddressCase{"LaterPrefixRemovedToo",
                    "http://www.skyblog.com" + Path + "12http://www.skyrock.com" + Path + "34",
                    true, "1234"},
        AddressCase{"PrefixesRemovedInTableOrder",
                    "http://skyblog.com" + Path + "1http://www.skyblog.com" + Path + "2", true,
                    "12"},
        AddressCase{"CapitalHost", "http://www.SkyBlog.com" + Path + "123", false, ""},
        AddressCase{"CapitalScheme", "HTTP://www.skyblog.com" + Path + "123", false, ""},
        AddressCase{"Https", "https://www.skyblog.com" + Path + "123", false, ""},
        AddressCase{"SwappedParameters",
                    "http://www.skyblog.com/admBloger/article.phtml?id=123&edit_article=1", false,
                    ""},
        AddressCase{"CapitalInThePath",
                    "http://www.skyblog.com/AdmBloger/article.phtml?edit_article=1&id=123", false,
                    ""},
        AddressCase{"OtherEditValue",
                    "http://www.skyblog.com/admBloger/article.phtml?edit_article=2&id=123", false,
                    ""},
        AddressCase{"ShorterThanPrefix", "http://www.skyblog.com/admBloger", false, ""},
        AddressCase{"PrefixNotAtStart", "x http://www.skyblog.com" + Path + "1", false, ""},
        AddressCase{"InitialFieldText", "Text9", false, ""}, AddressCase{"Empty", "", false, ""}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quillomat
