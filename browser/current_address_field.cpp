#include "browser/current_address_field.h"

#include <utility>

namespace quillomat {

CurrentAddressField::CurrentAddressField(std::string initialText, Detector detector)
    : text_(std::move(initialText)), detector_(std::move(detector))
{
}

void CurrentAddressField::Store(std::string_view address)
{
    if (address == text_)
        return;
    text_ = address;
    if (detecting_)
        return;
    detecting_ = true;
    // If the detector throws, the program's general report ends the run; still leave the
    // field usable rather than stuck in the detecting state.
    struct ResetOnExit {
        bool& flag;
        ~ResetOnExit() { flag = false; }
    } reset{detecting_};
    std::string detected;
    do {
        detected = text_;
        detector_(detected);
    } while (text_ != detected);
}

}  // namespace quillomat
