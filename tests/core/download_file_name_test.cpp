#include "browser/download_file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace quillomat {
namespace {

std::string Repeat(std::string_view text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

struct NameCase {
    const char* name;
    std::string suggested;
    std::string offered;
    friend void PrintTo(const NameCase& c, std::ostream* out) { *out << c.name; }
};

class SafeDownloadNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(SafeDownloadNameTest, OffersAPlainNameThatFitsAFileSystem)
{
    const std::string offered = SafeDownloadName(GetParam().suggested);
    EXPECT_EQ(offered, GetParam().offered);
    EXPECT_LE(offered.size(), MaxFileNameBytes);
}

INSTANTIATE_TEST_SUITE_P(
    , SafeDownloadNameTest,
    ::testing::Values(
        NameCase{"PlainNameAsItIs", "Relevé de compte.pdf", "Relevé de compte.pdf"},
        NameCase{"FoldersFlattened", "../../.config/autostart\\x.desktop",
                 "_.._.config_autostart_x.desktop"},
        NameCase{"NothingHidden", "...bashrc", "bashrc"},
        NameCase{"ControlCharactersReplaced", "a\tb\nc\x7f\xc2\x85.txt", "a_b_c__.txt"},
        NameCase{"NoTextTurnedAround", "facture\u202Etxt.exe", "facture_txt.exe"},
        NameCase{"InvalidBytesReplaced", "\xff\xc3(\xed\xa0\x80.txt", "__(___.txt"},
        NameCase{"NothingLeft", "..", ""},
        NameCase{"LongNameCutBeforeItsExtension", Repeat("a", 296) + ".txt",
                 Repeat("a", 251) + ".txt"},
        // 251 bytes would end inside the 126th "é".
        NameCase{"CutAtACharacterBoundary", Repeat("é", 296) + ".txt", Repeat("é", 125) + ".txt"},
        NameCase{"CutAtAFourByteCharacter", Repeat("😀", 70), Repeat("😀", 63)},
        NameCase{"LongNameWithoutExtension", Repeat("b", 300), Repeat("b", 255)},
        NameCase{"NoExtensionBeyondSixteenBytes", "a." + Repeat("c", 300), "a." + Repeat("c", 253)},
        NameCase{"NameOfExactlyTheLimit", Repeat("d", 251) + ".tar", Repeat("d", 251) + ".tar"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillomat
