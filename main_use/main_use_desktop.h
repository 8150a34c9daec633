#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace quillomat {

// The title that message boxes without a title of their own carry.
inline constexpr std::string_view ApplicationTitle = "Quillomat";

enum class MessageIcon { Error, Information };

// What the main use needs of the desktop, message boxes and the clipboard, and the one way into
// every modal box of the program, so that no box can escape the rule: never a box over another
// of the program's boxes, never a copy while one is open, and once the program is back in its
// main loop with every box closed, whoever waited for that is told.
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

    // Counts a modal box other than a message box (a colour picker) as open while it lives.
    class OpenBox {
    public:
        explicit OpenBox(MainUseDesktop& desktop);
        ~OpenBox();
        OpenBox(const OpenBox&) = delete;
        OpenBox& operator=(const OpenBox&) = delete;

    private:
        MainUseDesktop& desktop_;
    };

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
    struct Message {
        std::string text;
        MessageIcon icon;
        std::string title;
    };

    void Show(std::string_view text, MessageIcon icon, std::string_view title);
    void BoxClosed();
    void Settle();

    int openBoxes_ = 0;
    bool settleAsked_ = false;
    std::deque<Message> waiting_;
    std::function<void()> boxesClosed_;
};

}  // namespace quillomat
