#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quillomat {

// How the page shown came to its address: another document, or the same one moving (a
// fragment, history.pushState or replaceState, back or forward within it).
enum class AddressChange { NewDocument, SameDocument };

// The hidden field that mirrors the address of the page the browser pane shows. Storing a new
// address notifies the detector; storing the address it already holds notifies nothing. While
// the detector runs, or while something else holds detection (a message box is open and the
// browser reports on), the field keeps following the pane without notifying; once free again,
// the address held then is detected once if it is not the one last detected. Pages that came
// and went meanwhile are no longer shown, so they are never announced: one detection at a time,
// never nested, never a backlog.
// A document that moves itself gets its moves announced once, then none until the user acts in
// the page or another document is shown: a page that keeps changing its address by script
// cannot chain the detector's boxes one after another.
class CurrentAddressField {
public:
    // Returns whether it announced the address to the user.
    using Detector = std::function<bool(const std::string& address)>;
    // Answers whether detection must wait now.
    using Hold = std::function<bool()>;

    explicit CurrentAddressField(std::string initialText, Detector detector, Hold hold = {});

    void Store(std::string_view address, AddressChange change);
    // A key or a click of the user's in the page, or a load the user asked for: the page's next
    // move is detected again.
    void UserActed() { movesHeld_ = false; }
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
    // Whether the text came by a move of the document shown, and whether such a move was
    // announced since the user last acted or another document came.
    bool movedByDocument_ = false;
    bool movesHeld_ = false;
    // Counts the documents stored.
    unsigned document_ = 0;
};

}  // namespace quillomat
