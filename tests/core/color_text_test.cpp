#include "linkcode/color_text.h"

#include <gtest/gtest.h>

namespace quillomat {
namespace {

struct ColourCase {
    const char* name;
    ColorValue colour;
    const char* hex;
};

class ColorToHexTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColorToHexTest, WritesRedGreenBlueInUpperCase)
{
    EXPECT_EQ(ColorToHex(GetParam().colour), GetParam().hex);
}

INSTANTIATE_TEST_SUITE_P(Colours, ColorToHexTest,
                         ::testing::Values(ColourCase{"Black", 0, "000000"},
                                           ColourCase{"White", 16777215, "FFFFFF"},
                                           ColourCase{"PureRed", 255, "FF0000"},
                                           ColourCase{"PureGreen", 65280, "00FF00"},
                                           ColourCase{"PureBlue", 16711680, "0000FF"},
                                           ColourCase{"EachByteOneDigit", 66051, "030201"},
                                           ColourCase{"InitialOuterSwatch", 8388736, "800080"},
                                           ColourCase{"InitialMiddleSwatch", 16777088, "80FFFF"},
                                           ColourCase{"TopByteIgnored", 16777216 + 255, "FF0000"},
                                           ColourCase{"PickedColour", 789258, "0A0B0C"}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quillomat
