#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quillomat {

// The hidden field that mirrors the address of the page the browser pane shows. Storing a new
// address notifies the detector; storing the address it already holds notifies nothing. While
// the detector runs (its modal messages let the browser report on) the field keeps following
// the pane without notifying; when the detector returns, the address held then is detected once
// if it is not the one just detected. Pages that came and went meanwhile are no longer shown,
// so they are never announced: one detection at a time, never nested, never a backlog.
class CurrentAddressField {
public:
    using Detector = std::function<void(const std::string& address)>;

    explicit CurrentAddressField(std::string initialText, Detector detector);

    void Store(std::string_view address);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
    Detector detector_;
    bool detecting_ = false;
};

}  // namespace quillomat
