#include "linkcode/color_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillomat {
namespace {

struct ColourCase {
    const char* name;
    ColorValue colour;
    Rgb rgb;
    const char* hex;
    friend void PrintTo(const ColourCase& c, std::ostream* out) { *out << c.name; }
};

class ColourTest : public ::testing::TestWithParam<ColourCase> {};

// Red is the low byte both ways and the mark-up's first two digits; the top byte plays no part.
TEST_P(ColourTest, RedIsTheLowByteAndComesFirstInUpperCaseDigits)
{
    const ColourCase& c = GetParam();
    EXPECT_EQ(ColorToHex(c.colour), c.hex);
    EXPECT_EQ(RgbFromColor(c.colour), c.rgb);
    EXPECT_EQ(ColorFromRgb(c.rgb.red, c.rgb.green, c.rgb.blue), c.colour & 0xFFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, ColourTest,
    ::testing::Values(ColourCase{"Black", 0, {0, 0, 0}, "000000"},
                      ColourCase{"White", 16777215, {255, 255, 255}, "FFFFFF"},
                      ColourCase{"PureRed", 255, {255, 0, 0}, "FF0000"},
                      ColourCase{"PureGreen", 65280, {0, 255, 0}, "00FF00"},
                      ColourCase{"PureBlue", 16711680, {0, 0, 255}, "0000FF"},
                      ColourCase{"EachByteOneDigit", 66051, {3, 2, 1}, "030201"},
                      ColourCase{"Picked", 789258, {0x0A, 0x0B, 0x0C}, "0A0B0C"},
                      ColourCase{"InitialOuterSwatch", 8388736, {0x80, 0x00, 0x80}, "800080"},
                      ColourCase{"InitialMiddleSwatch", 16777088, {0x80, 0xFF, 0xFF}, "80FFFF"},
                      ColourCase{"TopByteIgnored", 16777216 + 255, {255, 0, 0}, "FF0000"},
                      ColourCase{"FullTopByteIgnored", 0xFF0A0B0Cu, {0x0C, 0x0B, 0x0A}, "0C0B0A"}),
    [](const auto& info) { return info.param.name; });

TEST(ComponentFromFractionTest, EveryComponentComesBackExactly)
{
    for (int component = 0; component <= 255; ++component) {
        EXPECT_EQ(ComponentFromFraction(component / 255.0), component);
        // What a float-based picker hands back, a hair off the exact fraction.
        EXPECT_EQ(ComponentFromFraction(static_cast<float>(component / 255.0)), component);
    }
}

struct FractionCase {
    const char* name;
    double fraction;
    int component;
    friend void PrintTo(const FractionCase& c, std::ostream* out) { *out << c.name; }
};

class ComponentFromFractionCases : public ::testing::TestWithParam<FractionCase> {};

TEST_P(ComponentFromFractionCases, RoundsToNearestWithinRange)
{
    EXPECT_EQ(ComponentFromFraction(GetParam().fraction), GetParam().component);
}

INSTANTIATE_TEST_SUITE_P(
    Fractions, ComponentFromFractionCases,
    ::testing::Values(FractionCase{"JustBelowAHalfStep", 10.49 / 255, 10},
                      FractionCase{"AHalfStepRoundsUp", 127.5 / 255, 128},
                      FractionCase{"TruncationWouldDrift", 0.0392156, 10},
                      FractionCase{"BelowZero", -0.2, 0}, FractionCase{"AboveOne", 1.3, 255},
                      FractionCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), 0}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quillomat
