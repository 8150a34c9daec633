#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace quillomat {

// The hidden field that mirrors the browser pane's current address. Storing a new address
// notifies the detector; storing the address it already holds notifies nothing. A change that
// arrives while the detector is still running (its modal messages let the browser report on)
// waits its turn: the detector never runs nested and sees every change once, in order.
class CurrentAddressField {
public:
    using Detector = std::function<void(const std::string& address)>;

    explicit CurrentAddressField(std::string initialText, Detector detector);

    void Store(std::string_view address);
    const std::string& Text() const { return text_; }

private:
    void DetectWaitingChanges();

    std::string text_;
    Detector detector_;
    std::deque<std::string> waitingChanges_;
    bool detecting_ = false;
};

}  // namespace quillomat
