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

void CurrentAddressField::Store(std::string_view address, AddressChange change)
{
    const bool newDocument = change == AddressChange::NewDocument;
    // Another document ends the hold on moves, even at the address held: the field catches up.
    if (newDocument) {
        ++documentsStored_;
        movesHeld_ = false;
    } else if (address == text_)
        return;
    text_ = address;
    movedByDocument_ = !newDocument;
    CatchUp();
}

bool CurrentAddressField::MustWait() const
{
    return (movedByDocument_ && movesHeld_) || (hold_ && hold_());
}

void CurrentAddressField::CatchUp()
{
    if (detecting_ || MustWait())
        return;
    detecting_ = true;
    // A detector that throws ends the run by the general report; the field still stays usable.
    struct ResetOnExit {
        bool& flag;
        ~ResetOnExit() { flag = false; }
    } reset{detecting_};
    while (text_ != lastDetected_ && !MustWait()) {
        lastDetected_ = text_;
        const bool moved = movedByDocument_;
        const unsigned document = documentsStored_;
        if (detector_(lastDetected_) && moved && document == documentsStored_)
            movesHeld_ = true;
    }
}

}  // namespace quillomat
