#include "app/pane/spell_checking.h"

#include <glibmm/exceptionhandler.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <string>
#include <string_view>
#include <utility>

#include "app/look/c_callback.h"
#include "app/pane/writing_texts.h"

namespace quillomat {

namespace texts = writing_texts;

namespace {

constexpr const char* Languages[] = {"fr_FR", nullptr};

// WebKit's French captions of these say something else, or are missing.
constexpr std::pair<WebKitContextMenuAction, std::string_view> SpellingItems[] = {
    {WEBKIT_CONTEXT_MENU_ACTION_IGNORE_SPELLING, texts::IgnoreWordItem},
    {WEBKIT_CONTEXT_MENU_ACTION_LEARN_SPELLING, texts::AddWordItem},
};

void RelabelSpellingItems(WebKitContextMenu* menu)
{
    for (guint position = 0; position < webkit_context_menu_get_n_items(menu); ++position) {
        WebKitContextMenuItem* item = webkit_context_menu_get_item_at_position(menu, position);
        const WebKitContextMenuAction action = webkit_context_menu_item_get_stock_action(item);
        for (const auto& [spellingAction, caption] : SpellingItems) {
            if (action != spellingAction)
                continue;
            // WebKit acts on a selected word only, and greys these out when the right-click left
            // the caret in the word instead.
            GAction* original = webkit_context_menu_item_get_gaction(item);
            const gboolean enabled = !original || g_action_get_enabled(original);
            WebKitContextMenuItem* relabelled =
                webkit_context_menu_item_new_from_stock_action_with_label(
                    action, std::string(caption).c_str());
            GAction* relabelledAction = webkit_context_menu_item_get_gaction(relabelled);
            if (G_IS_SIMPLE_ACTION(relabelledAction))
                g_simple_action_set_enabled(G_SIMPLE_ACTION(relabelledAction), enabled);
            webkit_context_menu_remove(menu, item);
            webkit_context_menu_insert(menu, relabelled, static_cast<gint>(position));
            break;
        }
    }
}

}  // namespace

SpellChecking::SpellChecking(WebKitWebContext* context) : context_(context)
{
    g_type_class_unref(g_type_class_ref(WEBKIT_TYPE_WEB_VIEW));
    keyHook_ = g_signal_add_emission_hook(g_signal_lookup("key-press-event", GTK_TYPE_WIDGET), 0,
                                          &SpellChecking::OnFirstInput, this, nullptr);
    buttonHook_ = g_signal_add_emission_hook(g_signal_lookup("button-press-event", GTK_TYPE_WIDGET),
                                             0, &SpellChecking::OnFirstInput, this, nullptr);
    menuHook_ =
        g_signal_add_emission_hook(g_signal_lookup("context-menu", WEBKIT_TYPE_WEB_VIEW), 0,
                                   &CCallback<&SpellChecking::OnContextMenu>::Call, this, nullptr);
}

SpellChecking::~SpellChecking()
{
    StopWatchingInput();
    g_signal_remove_emission_hook(g_signal_lookup("context-menu", WEBKIT_TYPE_WEB_VIEW), menuHook_);
}

bool SpellChecking::InContext(const GValue& view) const
{
    auto* instance = static_cast<GTypeInstance*>(g_value_peek_pointer(&view));
    return instance && WEBKIT_IS_WEB_VIEW(instance) &&
           webkit_web_view_get_context(WEBKIT_WEB_VIEW(instance)) == context_;
}

// Runs before the page is given the key or the click, so that WebKit checks with the dictionary
// from the first word typed or the first menu opened.
int SpellChecking::OnFirstInput(GSignalInvocationHint*, unsigned, const GValue* values, void* self)
{
    auto* checking = static_cast<SpellChecking*>(self);
    if (!checking->InContext(values[0]))
        return TRUE;
    try {
        checking->StopWatchingInput();
        checking->OpenDictionary();
    } catch (...) {
        Glib::exception_handlers_invoke();
    }
    return TRUE;
}

int SpellChecking::OnContextMenu(GSignalInvocationHint*, unsigned, const GValue* values, void* self)
{
    if (static_cast<SpellChecking*>(self)->InContext(values[0]))
        RelabelSpellingItems(WEBKIT_CONTEXT_MENU(g_value_get_object(&values[1])));
    return TRUE;
}

void SpellChecking::OpenDictionary()
{
    webkit_web_context_set_spell_checking_languages(context_, Languages);
    // WebKit leaves out the languages it has no dictionary for.
    webkit_web_context_set_spell_checking_enabled(
        context_, webkit_web_context_get_spell_checking_languages(context_) != nullptr);
}

void SpellChecking::StopWatchingInput()
{
    if (keyHook_)
        g_signal_remove_emission_hook(g_signal_lookup("key-press-event", GTK_TYPE_WIDGET),
                                      std::exchange(keyHook_, 0));
    if (buttonHook_)
        g_signal_remove_emission_hook(g_signal_lookup("button-press-event", GTK_TYPE_WIDGET),
                                      std::exchange(buttonHook_, 0));
}

}  // namespace quillomat
