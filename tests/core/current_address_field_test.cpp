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

TEST(CurrentAddressFieldTest, ChangesDuringADetectionWaitTheirTurnInOrder)
{
    std::vector<std::string> events;
    CurrentAddressField* self = nullptr;
    CurrentAddressField field("Text9", [&](const std::string& address) {
        events.push_back("begin " + address);
        // The browser keeps reporting while a message box of this detection is open.
        if (address == "first") {
            self->Store("second");
            self->Store("second");
            self->Store("third");
        }
        events.push_back("end " + address);
    });
    self = &field;
    field.Store("first");
    EXPECT_EQ(events, (std::vector<std::string>{"begin first", "end first", "begin second",
                                                "end second", "begin third", "end third"}));
}

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
