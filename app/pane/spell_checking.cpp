#include "app/pane/spell_checking.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <string>

#include "app/look/c_callback.h"
#include "app/pane/writing_texts.h"

namespace quillomat {

namespace texts = writing_texts;

namespace {

constexpr const char* Languages[] = {"fr_FR", nullptr};

// `item` anew under `caption`, as it was otherwise.
WebKitContextMenuItem* Relabelled(WebKitContextMenuItem* item, const std::string& caption)
{
    if (WebKitContextMenu* submenu = webkit_context_menu_item_get_submenu(item)) {
        g_object_ref(submenu);
        webkit_context_menu_item_set_submenu(item, nullptr);
        WebKitContextMenuItem* relabelled =
            webkit_context_menu_item_new_with_submenu(caption.c_str(), submenu);
        g_object_unref(submenu);
        return relabelled;
    }
    // WebKit greys out what does not apply: the spelling entries when the right-click left the
    // caret in the word instead of selecting it, "Couper" without a selection.
    GAction* original = webkit_context_menu_item_get_gaction(item);
    const gboolean enabled = !original || g_action_get_enabled(original);
    WebKitContextMenuItem* relabelled = webkit_context_menu_item_new_from_stock_action_with_label(
        webkit_context_menu_item_get_stock_action(item), caption.c_str());
    GAction* relabelledAction = webkit_context_menu_item_get_gaction(relabelled);
    if (G_IS_SIMPLE_ACTION(relabelledAction))
        g_simple_action_set_enabled(G_SIMPLE_ACTION(relabelledAction), enabled);
    return relabelled;
}

void RelabelInFrench(WebKitContextMenu* menu)
{
    for (guint position = 0; position < webkit_context_menu_get_n_items(menu); ++position) {
        WebKitContextMenuItem* item = webkit_context_menu_get_item_at_position(menu, position);
        const WebKitContextMenuAction action = webkit_context_menu_item_get_stock_action(item);
        for (const auto& [frenchAction, caption] : texts::MenuItems) {
            if (action != frenchAction)
                continue;
            WebKitContextMenuItem* relabelled = Relabelled(item, std::string(caption));
            webkit_context_menu_remove(menu, item);
            webkit_context_menu_insert(menu, relabelled, static_cast<gint>(position));
            break;
        }
    }
}

// Runs before WebKit shows the menu, which stays WebKit's to show.
gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu* menu, GdkEvent*, WebKitHitTestResult*,
                       gpointer)
{
    RelabelInFrench(menu);
    return FALSE;
}

constexpr char DictionaryKey[] = "quillomat-dictionary-opened";

// Runs before the view hands the key or the click to its page, so that WebKit checks with the
// dictionary from the first word typed or the first menu opened.
gboolean OnFirstInput(GtkWidget* view, GdkEvent*, gpointer)
{
    g_signal_handlers_disconnect_by_func(view, reinterpret_cast<gpointer>(&OnFirstInput), nullptr);
    WebKitWebContext* context = webkit_web_view_get_context(WEBKIT_WEB_VIEW(view));
    // Once for all the views of the context, even where the dictionary is missing.
    if (g_object_get_data(G_OBJECT(context), DictionaryKey))
        return FALSE;
    g_object_set_data(G_OBJECT(context), DictionaryKey, GINT_TO_POINTER(TRUE));
    webkit_web_context_set_spell_checking_languages(context, Languages);
    // WebKit leaves out the languages it has no dictionary for.
    webkit_web_context_set_spell_checking_enabled(
        context, webkit_web_context_get_spell_checking_languages(context) != nullptr);
    return FALSE;
}

}  // namespace

void HelpWritingInFrench(WebKitWebView* view)
{
    // The handlers keep nothing of their own: they go with the view.
    g_signal_connect(view, "key-press-event", G_CALLBACK(&OnFirstInput), nullptr);
    g_signal_connect(view, "button-press-event", G_CALLBACK(&OnFirstInput), nullptr);
    g_signal_connect(view, "context-menu", CSignalCallback<&OnContextMenu>(), nullptr);
}

}  // namespace quillomat
