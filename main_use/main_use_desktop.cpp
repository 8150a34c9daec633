#include "main_use/main_use_desktop.h"

#include <utility>

namespace quillomat {

MainUseDesktop::Turn::~Turn()
{
    std::erase_if(desktop_.waiting_, [this](const Waiting& each) { return each.id == id_; });
}

void MainUseDesktop::ShowMessage(std::string_view text, MessageIcon icon, std::string_view title)
{
    auto show = [this, text = std::string(text), icon, title = std::string(title)] {
        Show(text, icon, title);
    };
    if (BoxOpen())
        waiting_.push_back({++lastQueued_, std::move(show)});
    else
        show();
}

std::unique_ptr<MainUseDesktop::Turn> MainUseDesktop::AwaitTurn(std::function<void()> open)
{
    if (BoxOpen()) {
        waiting_.push_back({++lastQueued_, std::move(open)});
        return std::unique_ptr<Turn>(new Turn(*this, lastQueued_));
    }
    open();
    return nullptr;
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
    // A box opened meanwhile, the next one in line included, asks again when it closes; one in
    // line that opens nothing lets the next have its turn at once.
    while (openBoxes_ == 0 && !settleAsked_ && !waiting_.empty()) {
        const std::function<void()> open = std::move(waiting_.front().open);
        waiting_.pop_front();
        open();
    }
    if (openBoxes_ == 0 && !settleAsked_ && boxesClosed_)
        boxesClosed_();
}

}  // namespace quillomat
