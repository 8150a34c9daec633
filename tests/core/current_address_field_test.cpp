#include "browser/current_address_field.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillomat {
namespace {

TEST(CurrentAddressFieldTest, OnlyARealChangeIsDetected)
{
    std::vector<std::string> detected;
    CurrentAddressField field("Text9", [&](const std::string& a) { detected.push_back(a); });
    field.Store("Text9");
    field.Store("http://a/");
    field.Store("http://a/");
    field.Store("http://b/");
    field.Store("http://a/");
    EXPECT_EQ(detected, (std::vector<std::string>{"http://a/", "http://b/", "http://a/"}));
    EXPECT_EQ(field.Text(), "http://a/");
}

struct WhileDetectingCase {
    const char* name;
    std::vector<std::string> storedDuringFirst;
    std::vector<std::string> detected;
};

class CurrentAddressFieldWhileDetecting : public ::testing::TestWithParam<WhileDetectingCase> {};

// The browser keeps reporting while a message box of a detection is open; once it closes, only
// the address shown then counts, and only if it is not the one just detected.
TEST_P(CurrentAddressFieldWhileDetecting, OnlyTheAddressShownWhenItEndsIsDetectedNext)
{
    std::vector<std::string> events;
    CurrentAddressField* self = nullptr;
    CurrentAddressField field("Text9", [&](const std::string& address) {
        events.push_back("begin " + address);
        if (events.size() == 1)
            for (const std::string& later : GetParam().storedDuringFirst)
                self->Store(later);
        events.push_back("end " + address);
    });
    self = &field;
    field.Store("first");
    std::vector<std::string> expected;
    for (const std::string& address : GetParam().detected)
        expected.insert(expected.end(), {"begin " + address, "end " + address});
    EXPECT_EQ(events, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, CurrentAddressFieldWhileDetecting,
    ::testing::Values(WhileDetectingCase{"None", {}, {"first"}},
                      WhileDetectingCase{"SeveralThenOne", {"a", "b", "c"}, {"first", "c"}},
                      WhileDetectingCase{"BackToTheFirst", {"a", "first"}, {"first"}}),
    [](const auto& info) { return info.param.name; });

TEST(CurrentAddressFieldTest, AThrowingDetectorDoesNotBlockLaterChanges)
{
    int calls = 0;
    CurrentAddressField field("Text9", [&](const std::string& address) {
        ++calls;
        if (address == "bad")
            throw std::runtime_error("boom");
    });
    EXPECT_THROW(field.Store("bad"), std::runtime_error);
    field.Store("good");
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace quillomat
