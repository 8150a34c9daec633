#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace quillomat {

// The title that message boxes without a title of their own carry.
inline constexpr std::string_view ApplicationTitle = "Quillomat";

enum class MessageIcon { Error, Information };

// What the main use needs of the desktop (message boxes, the clipboard), and the one way into
// every box of the program (any window that holds the user: a message box, a colour picker, a
// save dialog, a page's dialog or print), so that none escapes the rule: never a box over
// another, never a copy while one is open, and whoever waits for every box to close is told.
class MainUseDesktop {
public:
    virtual ~MainUseDesktop() = default;

    // A modal message box with a single "OK" button; returns once the user has closed it. Asked
    // for while another box is open, it returns at once and the message waits its turn.
    void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title);

    // The message after which the program ends: it takes the place of the box open, if any.
    void ShowLastMessage(std::string_view text, MessageIcon icon, std::string_view title);

    // Replaces the whole clipboard with one plain text; returns whether the clipboard holds it
    // once the claim has settled. Refused while a box is open.
    bool PutTextOnClipboard(std::string_view text);

    // Whether one of the program's boxes is open, or a message waits to open.
    bool BoxOpen() const { return openBoxes_ > 0 || !waiting_.empty(); }

    // Called each time the program is back in its main loop with no box open or waiting after one.
    void SetBoxesClosedHandler(std::function<void()> handler) { boxesClosed_ = std::move(handler); }

    // Counts a box other than a message box (a colour picker) as open while it lives.
    class OpenBox {
    public:
        explicit OpenBox(MainUseDesktop& desktop) : desktop_(desktop) { ++desktop_.openBoxes_; }
        ~OpenBox() { desktop_.BoxClosed(); }
        OpenBox(const OpenBox&) = delete;
        OpenBox& operator=(const OpenBox&) = delete;

    private:
        MainUseDesktop& desktop_;
    };

    // A box's place in the line of those that wait; dropping it withdraws the box.
    class Turn {
    public:
        ~Turn();
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;

    private:
        friend class MainUseDesktop;
        Turn(MainUseDesktop& desktop, unsigned long id) : desktop_(desktop), id_(id) {}

        MainUseDesktop& desktop_;
        unsigned long id_;
    };

    // A box that does not hold the program until answered (a save dialog, a page's dialog)
    // waits its turn like a message: `open` runs now while no box is open, else after those open
    // and those waiting before it; it opens the box, holding an OpenBox while it stays open, or
    // nothing. Returns the place in line, or nothing when `open` has run already.
    [[nodiscard]] std::unique_ptr<Turn> AwaitTurn(std::function<void()> open);

protected:
    // Shows one message box; returns once the user has closed it.
    virtual void RunMessageBox(std::string_view text, MessageIcon icon, std::string_view title) = 0;
    // Returns whether the clipboard holds the text once the claim has settled.
    virtual bool PlaceOnClipboard(std::string_view text) = 0;
    // Runs `task` once the program is back in its main loop, after the handler running now.
    virtual void RunWhenIdle(std::function<void()> task) = 0;
    virtual void HideOpenBoxes() = 0;

private:
    struct Waiting {
        unsigned long id;
        std::function<void()> open;
    };

    void Show(std::string_view text, MessageIcon icon, std::string_view title);
    void BoxClosed();
    void Settle();

    int openBoxes_ = 0;
    bool settleAsked_ = false;
    std::deque<Waiting> waiting_;
    unsigned long lastQueued_ = 0;
    std::function<void()> boxesClosed_;
};

}  // namespace quillomat
