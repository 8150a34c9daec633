#include "app/pane/page_exit.h"

#include <glibmm/main.h>
#include <sigc++/adaptors/bind_return.h>
#include <webkit2/webkit2.h>

#include <chrono>
#include <utility>

#include "app/pane/load_failures.h"
#include "app/pane/page_dialogs.h"
#include "app/pane/signal_link.h"

namespace quillomat {

namespace {

using namespace std::chrono_literals;

// How long a page asked to leave may take to show a sign of life: one busy for a second or two
// is not one that hangs.
constexpr auto AnswerTime = 3s;

// Run in a script world of the program's own before the page is asked to leave: its timers and
// animation frames end, so that it cannot interrupt the load by moving itself (location.hash;
// HostilePageTest.TheFirstGoLeavesIt/FragmentLoop).
constexpr char Hush[] = R"js(
for (let id = setTimeout(() => {}); id > 0; --id) clearTimeout(id);
for (let id = requestAnimationFrame(() => {}); id > 0; --id) cancelAnimationFrame(id);
)js";

void OnProbeAnswered(GObject* view, GAsyncResult* result, gpointer data)
{
    // The flag outlives a page exit that went meanwhile.
    std::unique_ptr<std::shared_ptr<bool>> answered(static_cast<std::shared_ptr<bool>*>(data));
    JSCValue* value =
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, nullptr);
    g_clear_object(&value);
    **answered = true;
}

}  // namespace

PageExit::PageExit(WebKitWebView* view, PageDialogs& dialogs) : view_(view), dialogs_(dialogs)
{
    ConnectWhileAlive<&PageExit::OnLoadChanged>(view_, "load-changed", this);
    ConnectWhileAlive<&PageExit::OnWebProcessTerminated>(view_, "web-process-terminated", this);
}

void PageExit::Leave(std::function<void()> load)
{
    leaveWatch_.disconnect();
    const bool held = dialogs_.ReleasePage();
    if (held)
        LoadFailures::StopWebProcess(view_, true);
    const bool probe = !held && pageInProcess_;
    // WebKit learns that a page stopped answering only seconds after it first asked something of
    // it: a page that gives no sign of life soon after being asked to leave is taken for one.
    if (probe) {
        processAnswered_ = std::make_shared<bool>(false);
        webkit_web_view_evaluate_javascript(view_, Hush, -1, "quillomat-exit", nullptr, nullptr,
                                            &CCallback<&OnProbeAnswered>::Call,
                                            new std::shared_ptr<bool>(processAnswered_));
    }
    load();
    if (!probe)
        return;
    leavingFor_ = std::move(load);
    leaveWatch_ = Glib::signal_timeout().connect(
        sigc::bind_return(sigc::mem_fun(*this, &PageExit::OnLeaveWatchEnded), false),
        std::chrono::duration_cast<std::chrono::milliseconds>(AnswerTime).count());
}

void PageExit::ForgetLoad()
{
    leaveWatch_.disconnect();
    leavingFor_ = nullptr;
}

void PageExit::OnLeaveWatchEnded()
{
    const std::function<void()> load = std::exchange(leavingFor_, nullptr);
    if (!load || *processAnswered_)
        return;
    LoadFailures::StopWebProcess(view_, true);
    load();
}

void PageExit::StopPage()
{
    leaveWatch_.disconnect();
    dialogs_.ReleasePage();
    LoadFailures::StopWebProcess(view_, false);
}

void PageExit::OnLoadChanged(WebKitWebView*, int loadEvent, PageExit* self)
{
    // The load asked for has started: the web process answers.
    if (loadEvent == WEBKIT_LOAD_STARTED && self->processAnswered_)
        *self->processAnswered_ = true;
    else if (loadEvent == WEBKIT_LOAD_COMMITTED)
        self->pageInProcess_ = true;
}

void PageExit::OnWebProcessTerminated(WebKitWebView*, int, PageExit* self)
{
    self->pageInProcess_ = false;
    self->leaveWatch_.disconnect();
}

}  // namespace quillomat
