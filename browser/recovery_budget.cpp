#include "browser/recovery_budget.h"

namespace quillomat {

bool RecoveryBudget::TryRecover(Clock::time_point now)
{
    while (!recent_.empty() && now - recent_.front() >= window_)
        recent_.pop_front();
    if (recent_.size() >= recoveries_)
        return false;
    recent_.push_back(now);
    return true;
}

}  // namespace quillomat
