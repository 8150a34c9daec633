#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quillomat {

// The hidden field that mirrors the address of the page the browser pane shows. Storing a new
// address notifies the detector; storing the address it already holds notifies nothing. While
// the detector runs, or while something else holds detection (a message box is open and the
// browser reports on), the field keeps following the pane without notifying; once free again,
// the address held then is detected once if it is not the one last detected. Pages that came
// and went meanwhile are no longer shown, so they are never announced: one detection at a time,
// never nested, never a backlog.
class CurrentAddressField {
public:
    using Detector = std::function<void(const std::string& address)>;
    // Answers whether detection must wait now.
    using Hold = std::function<bool()>;

    explicit CurrentAddressField(std::string initialText, Detector detector, Hold hold = {});

    void Store(std::string_view address);
    // Detects the address held now if it is not the last one detected, unless detection must
    // still wait; for the moment a hold ends.
    void CatchUp();
    const std::string& Text() const { return text_; }

private:
    bool MustWait() const;

    std::string text_;
    std::string lastDetected_;
    Detector detector_;
    Hold hold_;
    bool detecting_ = false;
};

}  // namespace quillomat
