#include "linkcode/color_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quillomat {
namespace {

struct RgbCase {
    const char* name;
    Rgb rgb;
    ColorValue colour;
    const char* hex;
};

class ColorFromRgbTest : public ::testing::TestWithParam<RgbCase> {};

TEST_P(ColorFromRgbTest, PutsRedInTheLowByteBothWays)
{
    const RgbCase& c = GetParam();
    EXPECT_EQ(ColorFromRgb(c.rgb.red, c.rgb.green, c.rgb.blue), c.colour);
    EXPECT_EQ(RgbFromColor(c.colour), c.rgb);
    EXPECT_EQ(ColorToHex(ColorFromRgb(c.rgb.red, c.rgb.green, c.rgb.blue)), c.hex);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, ColorFromRgbTest,
    ::testing::Values(RgbCase{"Black", {0, 0, 0}, 0, "000000"},
                      RgbCase{"White", {255, 255, 255}, 16777215, "FFFFFF"},
                      RgbCase{"PureRed", {255, 0, 0}, 255, "FF0000"},
                      RgbCase{"PureBlue", {0, 0, 255}, 16711680, "0000FF"},
                      RgbCase{"Picked", {0x0A, 0x0B, 0x0C}, 789258, "0A0B0C"},
                      RgbCase{"InitialOuterSwatch", {0x80, 0x00, 0x80}, 8388736, "800080"},
                      RgbCase{"InitialMiddleSwatch", {0x80, 0xFF, 0xFF}, 16777088, "80FFFF"}),
    [](const auto& info) { return info.param.name; });

TEST(RgbFromColorTest, IgnoresTheTopByte)
{
    EXPECT_EQ(RgbFromColor(0xFF0A0B0Cu), (Rgb{0x0C, 0x0B, 0x0A}));
}

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
