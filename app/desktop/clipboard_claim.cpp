#include "app/desktop/clipboard_claim.h"

#include <gtkmm/clipboard.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "app/look/c_callback.h"
#include "app/look/main_loop_wait.h"

namespace quillomat {

namespace {

using namespace std::chrono_literals;

// Another program answers a claim within this time, if at all
// (ContestedCopyTest.ACopyIsAnnouncedOnlyWhenTheClipboardHoldsTheCode).
constexpr auto QuietTime = 150ms;
// However often the clipboard changes hands meanwhile.
constexpr auto MostSettlingTime = 1s;
// For the holder, another program perhaps, to say what the clipboard holds.
constexpr auto AnswerTime = 2s;

// What the clipboard's holder answered; it may answer after the program stopped waiting.
struct Answer {
    bool came = false;
    std::optional<std::string> text;  // none when it holds no text
};

void OnTextReceived(GtkClipboard*, const gchar* text, gpointer data)
{
    const std::unique_ptr<std::shared_ptr<Answer>> answer(
        static_cast<std::shared_ptr<Answer>*>(data));
    (*answer)->came = true;
    if (text)
        (*answer)->text = text;
}

}  // namespace

bool ClaimClipboard(const Glib::ustring& text)
{
    const Glib::RefPtr<Gtk::Clipboard> clipboard = Gtk::Clipboard::get(GDK_SELECTION_CLIPBOARD);
    bool changed = false;
    sigc::connection ownerWatch = clipboard->signal_owner_change().connect(
        [&changed](GdkEventOwnerChange*) { changed = true; });
    clipboard->set_text(text);
    // Lets a clipboard manager keep the code once the program has ended.
    clipboard->set_can_store();
    // Settled: no change of hands, the program's own claim included, for a moment.
    const auto giveUp = std::chrono::steady_clock::now() + MostSettlingTime;
    do
        changed = false;
    while (RunMainLoopUntil([&changed] { return changed; }, QuietTime) &&
           std::chrono::steady_clock::now() < giveUp);
    ownerWatch.disconnect();

    // Whoever holds the clipboard now answers: the program, a clipboard manager with its copy, or
    // another program.
    auto answer = std::make_shared<Answer>();
    gtk_clipboard_request_text(clipboard->gobj(), &CCallback<&OnTextReceived>::Call,
                               new std::shared_ptr<Answer>(answer));
    return RunMainLoopUntil([&answer] { return answer->came; }, AnswerTime) &&
           answer->text == text.raw();
}

}  // namespace quillomat
