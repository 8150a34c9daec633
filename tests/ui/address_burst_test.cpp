#include <glibmm/main.h>

#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

// The address field of the real window fed 1,000 changes from the main loop, as browser
// notifications arrive, many of them while a message box of an earlier detection is open:
// never a box over another, never a page already left announced after a later one, and the
// page shown at the end detected.
TEST_F(MainWindowTest, ABurstOfAddressChangesEndsOnThePageShown)
{
    OpenWindow();
    constexpr int Changes = 1000;
    const std::string articlePrefix =
        "http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=";
    const auto address = [&](int i) {
        return i % 2 ? articlePrefix + std::to_string(i)
                     : "http://www.skyblog.com/liste?page=" + std::to_string(i);
    };
    int next = 0;
    auto feeder = Glib::signal_idle().connect([&] {
        if (next < Changes)
            Access::AddressField(*window).Store(address(next++));
        return next < Changes;
    });
    // While every other box is open the browser reports on: the next two addresses, a list page
    // and an article, wait their turn.
    desktop.whileMessageOpen = [&](std::size_t index) {
        for (int reported = 0; index % 2 == 0 && reported < 2 && next < Changes; ++reported)
            Access::AddressField(*window).Store(address(next++));
    };
    ASSERT_TRUE(RunMainLoopUntil([&] { return next == Changes; }, 60s));
    feeder.disconnect();

    EXPECT_EQ(desktop.mostOpenAtOnce, 1);
    EXPECT_EQ(desktop.openMessages, 0);
    EXPECT_EQ(desktop.messages.size(), desktop.clipboardTexts.size());
    int previous = 0;
    for (const std::string& code : desktop.clipboardTexts) {
        const std::size_t at = code.find("&id_article=");
        ASSERT_NE(at, std::string::npos);
        const int number = std::stoi(code.substr(at + 12));
        EXPECT_GT(number, previous);
        previous = number;
    }
    EXPECT_EQ(previous, Changes - 1);
    EXPECT_EQ(Access::Label5(*window).get_text(), "999");
}

}  // namespace
}  // namespace quillomat::testing
