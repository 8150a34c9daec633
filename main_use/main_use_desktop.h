#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quillomat {

// The title that message boxes without a title of their own carry.
inline constexpr std::string_view ApplicationTitle = "Quillomat";

enum class MessageIcon { Error, Information };

// What the main use needs of the desktop, message boxes and the clipboard, and the one way into
// every modal box of the program, so that no box can escape the rule: never a box over another
// of the program's boxes, never a copy while one is open, and once the program is back in its
// main loop with every box closed, whoever waited for that is told. A box is any window that
// holds the user: a message box, a colour picker, a save dialog, a page's dialog or print.
class MainUseDesktop {
public:
    virtual ~MainUseDesktop() = default;

    // A modal message box with a single "OK" button; returns once the user has closed it. Asked
    // for while another box is open, it returns at once and the message comes once that box has
    // closed, after the messages that were already waiting.
    void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title);

    // The message after which the program ends. It cannot wait for the box open, if any, so it
    // takes that box's place on screen.
    void ShowLastMessage(std::string_view text, MessageIcon icon, std::string_view title);

    // Replaces the whole clipboard with one plain text; returns whether the clipboard holds it
    // once the claim has settled. Refused while a box is open.
    bool PutTextOnClipboard(std::string_view text);

    // Whether one of the program's boxes is open, or a message waits to open.
    bool BoxOpen() const { return openBoxes_ > 0 || !waiting_.empty(); }

    // Called each time the program is back in its main loop with no box open after one was, and
    // after the messages that waited for that.
    void SetBoxesClosedHandler(std::function<void()> handler);

    // Counts a box other than a message box (a colour picker) as open while it lives.
    class OpenBox {
    public:
        explicit OpenBox(MainUseDesktop& desktop);
        ~OpenBox();
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

    // A box that does not hold the program until it is answered (a save dialog, a page's
    // dialog) waits its turn like a message: `open` runs at once while no box is open, else
    // once those open have closed and the ones that waited before it have had theirs. It opens
    // the box, holding an OpenBox for as long as it stays open, or opens nothing. Returns the
    // place in line, or nothing when `open` has run already.
    [[nodiscard]] std::unique_ptr<Turn> AwaitTurn(std::function<void()> open);

protected:
    // Shows one message box; returns once the user has closed it.
    virtual void RunMessageBox(std::string_view text, MessageIcon icon, std::string_view title) = 0;
    // Puts the text on the clipboard; returns whether the clipboard holds it once settled.
    virtual bool PlaceOnClipboard(std::string_view text) = 0;
    // Runs `task` once the program is back in its main loop, after the handler running now.
    virtual void RunWhenIdle(std::function<void()> task) = 0;
    // Takes the boxes open off the screen.
    virtual void HideOpenBoxes() = 0;

private:
    struct Waiting {
        unsigned long id;
        std::function<void()> open;
    };

    void Show(std::string_view text, MessageIcon icon, std::string_view title);
    unsigned long Queue(std::function<void()> open);
    void BoxClosed();
    void Settle();

    int openBoxes_ = 0;
    bool settleAsked_ = false;
    std::deque<Waiting> waiting_;
    unsigned long lastQueued_ = 0;
    std::function<void()> boxesClosed_;
};

}  // namespace quillomat
