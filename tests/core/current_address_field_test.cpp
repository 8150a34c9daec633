#include "browser/current_address_field.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quillomat {
namespace {

struct StoreCase {
    const char* name;
    std::vector<std::string> stored;
    std::vector<std::string> storedDuringFirst;  // as the browser reports on while a box is open
    std::vector<std::string> detected;
    friend void PrintTo(const StoreCase& c, std::ostream* out) { *out << c.name; }
};

class CurrentAddressFieldTest : public ::testing::TestWithParam<StoreCase> {};

// Only a real change is detected; what is stored during a detection counts once it has ended,
// and only the address shown then, unless it is the one just detected.
TEST_P(CurrentAddressFieldTest, EachRealChangeIsDetectedOnceAfterTheLastOne)
{
    std::vector<std::string> events;
    CurrentAddressField* self = nullptr;
    CurrentAddressField field("Text9", [&](const std::string& address) {
        events.push_back("begin " + address);
        if (events.size() == 1)
            for (const std::string& later : GetParam().storedDuringFirst)
                self->Store(later, AddressChange::NewDocument);
        events.push_back("end " + address);
        return false;
    });
    self = &field;
    for (const std::string& address : GetParam().stored)
        field.Store(address, AddressChange::NewDocument);
    std::vector<std::string> expected;
    for (const std::string& address : GetParam().detected)
        expected.insert(expected.end(), {"begin " + address, "end " + address});
    EXPECT_EQ(events, expected);
    EXPECT_EQ(field.Text(), GetParam().detected.back());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, CurrentAddressFieldTest,
    ::testing::Values(
        StoreCase{"TheSameTextAgainIsNoChange",
                  {"Text9", "http://a/", "http://a/", "http://b/", "http://a/"},
                  {},
                  {"http://a/", "http://b/", "http://a/"}},
        StoreCase{"NoneWhileDetecting", {"first"}, {}, {"first"}},
        StoreCase{"SeveralWhileDetectingThenOne", {"first"}, {"a", "b", "c"}, {"first", "c"}},
        StoreCase{"BackToTheFirstWhileDetecting", {"first"}, {"a", "first"}, {"first"}}),
    [](const auto& info) { return info.param.name; });

TEST(CurrentAddressFieldThrowTest, AThrowingDetectorDoesNotBlockLaterChanges)
{
    int calls = 0;
    CurrentAddressField field("Text9", [&](const std::string& address) {
        ++calls;
        if (address == "bad")
            throw std::runtime_error("boom");
        return true;
    });
    EXPECT_THROW(field.Store("bad", AddressChange::NewDocument), std::runtime_error);
    field.Store("good", AddressChange::NewDocument);
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace quillomat
