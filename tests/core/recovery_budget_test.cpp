#include "browser/recovery_budget.h"

#include <gtest/gtest.h>

namespace quillomat {
namespace {

using namespace std::chrono_literals;

TEST(RecoveryBudgetTest, AllowsThreeRecoveriesInAnyMinute)
{
    RecoveryBudget budget(3, 60s);
    const auto start = RecoveryBudget::Clock::time_point{} + 1h;
    EXPECT_TRUE(budget.TryRecover(start));
    EXPECT_TRUE(budget.TryRecover(start + 10s));
    EXPECT_TRUE(budget.TryRecover(start + 20s));
    EXPECT_FALSE(budget.TryRecover(start + 59s));
    // A refused recovery does not count: the first one leaves the window a minute later.
    EXPECT_TRUE(budget.TryRecover(start + 60s));
    EXPECT_FALSE(budget.TryRecover(start + 61s));
    EXPECT_TRUE(budget.TryRecover(start + 70s));
}

}  // namespace
}  // namespace quillomat
