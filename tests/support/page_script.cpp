#include "tests/support/page_script.h"

#include <webkit2/webkit2.h>

#include <memory>
#include <optional>

#include "tests/support/main_loop_wait.h"

namespace quillomat::testing {

namespace {

using Result = std::shared_ptr<std::optional<std::string>>;

void OnScriptDone(GObject* source, GAsyncResult* asyncResult, gpointer data)
{
    // The holder outlives a caller that stopped waiting.
    std::unique_ptr<Result> result(static_cast<Result*>(data));
    g_autoptr(JSCValue) value =
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), asyncResult, nullptr);
    if (!value) {
        **result = std::string();
        return;
    }
    g_autofree char* text = jsc_value_to_string(value);
    **result = text ? text : "";
}

}  // namespace

std::string PageScriptResult(WebKitWebView* view, const std::string& script,
                             std::chrono::milliseconds timeout)
{
    auto result = std::make_shared<std::optional<std::string>>();
    webkit_web_view_evaluate_javascript(view, script.c_str(), -1, nullptr, nullptr, nullptr,
                                        &OnScriptDone, new Result(result));
    RunMainLoopUntil([&] { return result->has_value(); }, timeout);
    return result->value_or("");
}

}  // namespace quillomat::testing
