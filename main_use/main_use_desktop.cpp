#include "main_use/main_use_desktop.h"

#include <utility>

namespace quillomat {

MainUseDesktop::OpenBox::OpenBox(MainUseDesktop& desktop) : desktop_(desktop)
{
    ++desktop_.openBoxes_;
}

MainUseDesktop::OpenBox::~OpenBox()
{
    desktop_.BoxClosed();
}

void MainUseDesktop::ShowMessage(std::string_view text, MessageIcon icon, std::string_view title)
{
    if (BoxOpen()) {
        waiting_.push_back({std::string(text), icon, std::string(title)});
        return;
    }
    Show(text, icon, title);
}

void MainUseDesktop::Show(std::string_view text, MessageIcon icon, std::string_view title)
{
    OpenBox box(*this);
    RunMessageBox(text, icon, title);
}

void MainUseDesktop::ShowLastMessage(std::string_view text, MessageIcon icon,
                                     std::string_view title)
{
    if (openBoxes_ > 0)
        HideOpenBoxes();
    Show(text, icon, title);
}

bool MainUseDesktop::PutTextOnClipboard(std::string_view text)
{
    if (BoxOpen())
        return false;
    // Held like a box while the claim settles: a click or a page reached meanwhile waits.
    OpenBox settling(*this);
    return PlaceOnClipboard(text);
}

void MainUseDesktop::SetBoxesClosedHandler(std::function<void()> handler)
{
    boxesClosed_ = std::move(handler);
}

void MainUseDesktop::BoxClosed()
{
    // A handler that shows one box after another (the generator's two messages) is not done
    // between them: the moment counts only once it has returned.
    if (--openBoxes_ > 0 || settleAsked_)
        return;
    settleAsked_ = true;
    RunWhenIdle([this] { Settle(); });
}

void MainUseDesktop::Settle()
{
    settleAsked_ = false;
    // A box opened meanwhile asks again when it closes.
    if (openBoxes_ > 0)
        return;
    if (!waiting_.empty()) {
        Message next = std::move(waiting_.front());
        waiting_.pop_front();
        Show(next.text, next.icon, next.title);
        return;
    }
    if (boxesClosed_)
        boxesClosed_();
}

}  // namespace quillomat
