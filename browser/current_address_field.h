#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quillomat {

// How the page shown came to its address: another document, or the same one moving (a
// fragment, history.pushState or replaceState, back or forward within it).
enum class AddressChange { NewDocument, SameDocument };

// The hidden field that mirrors the address of the page the browser pane shows. A new address
// notifies the detector, one at a time, never nested: while it runs, or while something else
// holds detection (a message box is open), the field follows the pane silently, and once free
// detects the address held then if it is not the last one detected; pages that came and went
// meanwhile are never announced. A document moving itself gets one move announced, then none
// until the user acts in the page or another document comes, so that a script cannot chain boxes.
class CurrentAddressField {
public:
    // Returns whether it announced the address to the user.
    using Detector = std::function<bool(const std::string& address)>;
    // Answers whether detection must wait now.
    using Hold = std::function<bool()>;

    explicit CurrentAddressField(std::string initialText, Detector detector, Hold hold = {});

    void Store(std::string_view address, AddressChange change);
    // A key or a click in the page, or a load the user asked for: the page's moves count again.
    void UserActed() { movesHeld_ = false; }
    // For the moment a hold ends: detects the address held unless it was the last detected.
    void CatchUp();
    const std::string& Text() const { return text_; }

private:
    bool MustWait() const;

    std::string text_;
    std::string lastDetected_;
    Detector detector_;
    Hold hold_;
    bool detecting_ = false;
    // Whether the text came by a move of the document shown, and whether such a move was
    // announced since the user last acted or another document came.
    bool movedByDocument_ = false;
    bool movesHeld_ = false;
    unsigned documentsStored_ = 0;
};

}  // namespace quillomat
