#include <glibmm/main.h>

#include "tests/support/window_test_fixture.h"

namespace quillomat::testing {
namespace {

// The address field of the real window fed 1,000 changes from the main loop, as browser
// notifications arrive, many of them while a message box of an earlier detection is open.
TEST_F(MainWindowTest, ABurstOfAddressChangesIsDetectedOnceEachInOrder)
{
    OpenWindow();
    constexpr int Changes = 1000;
    const auto address = [](int i) {
        return i % 2 ? "http://www.skyblog.com/admBloger/article.phtml?edit_article=1&id=" +
                           std::to_string(i)
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
    RunMainLoopUntil([&] { return desktop.messages.size() == Changes / 2; }, 10s);
    feeder.disconnect();

    EXPECT_EQ(desktop.mostOpenAtOnce, 1);
    ASSERT_EQ(desktop.clipboardTexts.size(), std::size_t(Changes / 2));
    for (int i = 1; i < Changes; i += 2)
        ASSERT_NE(desktop.clipboardTexts[i / 2].find("&id_article=" + std::to_string(i) + "&"),
                  std::string::npos)
            << i;
    EXPECT_EQ(desktop.messages.size(), std::size_t(Changes / 2));
    EXPECT_EQ(Access::Label5(*window).get_text(), "999");
}

}  // namespace
}  // namespace quillomat::testing
