#include "browser/current_address_field.h"

#include <utility>

namespace quillomat {

CurrentAddressField::CurrentAddressField(std::string initialText, Detector detector, Hold hold)
    : text_(std::move(initialText)),
      lastDetected_(text_),
      detector_(std::move(detector)),
      hold_(std::move(hold))
{
}

void CurrentAddressField::Store(std::string_view address)
{
    if (address == text_)
        return;
    text_ = address;
    CatchUp();
}

bool CurrentAddressField::MustWait() const
{
    return detecting_ || (hold_ && hold_());
}

void CurrentAddressField::CatchUp()
{
    if (MustWait())
        return;
    detecting_ = true;
    // If the detector throws, the program's general report ends the run; still leave the
    // field usable rather than stuck in the detecting state.
    struct ResetOnExit {
        bool& flag;
        ~ResetOnExit() { flag = false; }
    } reset{detecting_};
    while (text_ != lastDetected_ && !(hold_ && hold_())) {
        lastDetected_ = text_;
        detector_(lastDetected_);
    }
}

}  // namespace quillomat
