#include "app/pane/page_activation.h"

#include <gio/gio.h>
#include <glibmm/main.h>
#include <sigc++/adaptors/bind.h>
#include <webkit2/webkit2.h>

#include <chrono>
#include <string_view>
#include <utility>

#include "app/look/c_callback.h"
#include "app/pane/signal_link.h"

namespace quillomat {

namespace {

using namespace std::chrono_literals;

constexpr char Key[] = "quillomat-page-activation";
constexpr char World[] = "quillomat";
constexpr char Channel[] = "activation";
constexpr char Scheme[] = "quillomat-activation";
// A passage whose word never comes (a page's forgery) holds its page no longer.
constexpr auto MostPassageWait = 1s;

// Runs in the program's own script world, out of the page's reach. For each trusted event by
// which the user activates the page it says "start ID" before the page's own listeners, then
// "end ID" after the last of them (back at the window, or where the page stopped the event).
// A word through the channel may come after what the page asks next: each is followed by a
// passage, a request that holds the page until the program has the word.
constexpr char Observer[] = R"js(
(() => {
    const channel = window.webkit.messageHandlers.activation;
    const run = crypto.getRandomValues(new Uint32Array(2)).join("-");
    let count = 0;
    const say = (word, id) => {
        channel.postMessage(word + " " + id);
        const passage = new XMLHttpRequest();
        passage.open("GET", "quillomat-activation:" + word + "/" + id, false);
        try {
            passage.send();
        } catch (error) {
        }
    };
    // As browsers count activation: the main mouse button only, keys, touches.
    const activates = (event) => event.isTrusted && (navigator.userActivation?.isActive ?? true) &&
        !(event instanceof MouseEvent && event.button !== 0);
    const follow = (event) => {
        const id = run + "-" + ++count;
        say("start", id);
        const path = event.composedPath();
        const ended = (seen) => {
            if (seen !== event || !(seen.cancelBubble || seen.currentTarget === window))
                return;
            for (const node of path)
                for (const capture of [true, false])
                    node.removeEventListener(event.type, ended, capture);
            say("end", id);
        };
        for (const node of path)
            for (const capture of [true, false])
                node.addEventListener(event.type, ended, capture);
    };
    for (const type of ["pointerdown", "mousedown", "pointerup", "mouseup", "click", "keydown",
                        "keyup", "touchend"])
        window.addEventListener(type, (event) => activates(event) && follow(event), true);
})();
)js";

// How many words may wait for passages that never come (a page that refuses the requests).
constexpr std::size_t MostWordsWaiting = 64;

std::string MessageText(WebKitJavascriptResult* message)
{
    JSCValue* value = webkit_javascript_result_get_js_value(message);
    if (!jsc_value_is_string(value))
        return "";
    char* text = jsc_value_to_string(value);
    std::string result = text ? text : "";
    g_free(text);
    return result;
}

// "quillomat-activation:start/ID" is the passage of "start ID".
std::string WordOf(WebKitURISchemeRequest* request)
{
    std::string word = webkit_uri_scheme_request_get_path(request);
    if (const std::size_t slash = word.find('/'); slash != std::string::npos)
        word[slash] = ' ';
    return word;
}

void LetThrough(WebKitURISchemeRequest* request)
{
    GInputStream* nothing = g_memory_input_stream_new();
    WebKitURISchemeResponse* response = webkit_uri_scheme_response_new(nothing, 0);
    SoupMessageHeaders* headers = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
    soup_message_headers_append(headers, "Access-Control-Allow-Origin", "*");
    webkit_uri_scheme_response_set_http_headers(response, headers);
    webkit_uri_scheme_request_finish_with_response(request, response);
    g_object_unref(response);
    g_object_unref(nothing);
    g_object_unref(request);
}

}  // namespace

PageActivation& PageActivation::Of(WebKitWebView* view)
{
    WebKitWebContext* context = webkit_web_view_get_context(view);
    if (!g_object_get_data(G_OBJECT(context), Key)) {
        webkit_web_context_register_uri_scheme(
            context, Scheme, &CCallback<&PageActivation::OnPassage>::Call, nullptr, nullptr);
        WebKitSecurityManager* security = webkit_web_context_get_security_manager(context);
        webkit_security_manager_register_uri_scheme_as_secure(security, Scheme);
        webkit_security_manager_register_uri_scheme_as_cors_enabled(security, Scheme);
        g_object_set_data(G_OBJECT(context), Key, context);
    }
    WebKitUserContentManager* manager = webkit_web_view_get_user_content_manager(view);
    auto* activation = static_cast<PageActivation*>(g_object_get_data(G_OBJECT(manager), Key));
    if (!activation) {
        activation = new PageActivation(manager);
        g_object_set_data_full(G_OBJECT(manager), Key, activation,
                               [](void* gone) { delete static_cast<PageActivation*>(gone); });
    }
    return *activation;
}

PageActivation::PageActivation(WebKitUserContentManager* manager)
{
    webkit_user_content_manager_register_script_message_handler_in_world(manager, Channel, World);
    WebKitUserScript* script = webkit_user_script_new_for_world(
        Observer, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
        WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, World, nullptr, nullptr);
    webkit_user_content_manager_add_script(manager, script);
    webkit_user_script_unref(script);
    ConnectWhileAlive<&PageActivation::OnWord>(
        manager, (std::string("script-message-received::") + Channel).c_str(), this);
}

PageActivation::~PageActivation()
{
    for (const auto& [word, request] : std::exchange(waiting_, {}))
        LetThrough(request);
}

void PageActivation::AskWithinUsersAction(WebKitWebView* view, sigc::slot<void()> grant)
{
    if (handling_.empty() || view != handlingView_ || askedWithin_ == handling_)
        return;
    askedWithin_ = handling_;
    grant_ = std::move(grant);
}

void PageActivation::OnWord(WebKitUserContentManager*, WebKitJavascriptResult* message,
                            PageActivation* self)
{
    std::string word = MessageText(message);
    if (auto passage = self->waiting_.extract(word)) {
        self->Pass(word, passage.mapped());
        return;
    }
    if (self->said_.size() >= MostWordsWaiting)
        self->said_.clear();
    self->said_.insert(std::move(word));
}

void PageActivation::OnPassage(WebKitURISchemeRequest* request, void*)
{
    g_object_ref(request);
    WebKitWebView* view = webkit_uri_scheme_request_get_web_view(request);
    auto* self = view ? static_cast<PageActivation*>(g_object_get_data(
                            G_OBJECT(webkit_web_view_get_user_content_manager(view)), Key))
                      : nullptr;
    const std::string word = WordOf(request);
    if (!self) {
        LetThrough(request);
    } else if (self->said_.erase(word)) {
        self->Pass(word, request);
    } else {
        // A page that sends a passage of its own only holds itself.
        self->GiveUpPassage(word);
        self->waiting_.emplace(word, request);
        Glib::signal_timeout().connect_once(
            sigc::bind(sigc::mem_fun(*self, &PageActivation::GiveUpPassage), word),
            std::chrono::duration_cast<std::chrono::milliseconds>(MostPassageWait).count());
    }
}

void PageActivation::GiveUpPassage(const std::string& word)
{
    if (auto passage = waiting_.extract(word))
        LetThrough(passage.mapped());
}

// Both the script's word and its passage have come: what the page asks for from now on, it asks
// after the word.
void PageActivation::Pass(const std::string& word, WebKitURISchemeRequest* request)
{
    WebKitWebView* view = webkit_uri_scheme_request_get_web_view(request);
    const std::string_view said(word);
    if (said.starts_with("start ")) {
        handling_ = said.substr(6);
        handlingView_ = view;
        grant_ = {};
        userActed_.emit(view);
    } else if (said.starts_with("end ") && said.substr(4) == handling_ && view == handlingView_) {
        handling_.clear();
        handlingView_ = nullptr;
        // WebKit waits for the passage: a print dialog's loop waits for the main loop.
        if (askedWithin_ == said.substr(4) && grant_)
            Glib::signal_idle().connect_once(sigc::mem_fun(*this, &PageActivation::Grant));
    }
    LetThrough(request);
}

void PageActivation::Grant()
{
    // Its receiver may have gone meanwhile, and with it the slot.
    if (sigc::slot<void()> grant = std::exchange(grant_, {}))
        grant();
}

}  // namespace quillomat
