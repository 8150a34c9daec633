#include "app/desktop/settings_overlay.h"

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gsettingsbackend.h>

#include <map>
#include <mutex>
#include <vector>

namespace quillomat {

namespace {

// The name under which GIO knows the overlay, so that the environment can choose it.
constexpr char OverlayName[] = "quillomat-overlay";

// The desktop's own settings objects that carry the changes of one path to the overlay.
struct PathWatch {
    int subscriptions = 0;
    std::vector<GSettings*> watchers;
};

struct OverlayState {
    std::once_flag desktopFound;
    GSettingsBackend* desktop = nullptr;
    std::mutex lock;
    // The program's own writes. A key reset by the program holds no value: it reads as the
    // schema's default, as it would in a store of its own.
    std::map<std::string, GVariant*> written;
    std::map<std::string, PathWatch> watches;
};

struct QuillomatSettingsOverlay {
    GSettingsBackend parent;
    OverlayState* state;
};

struct QuillomatSettingsOverlayClass {
    GSettingsBackendClass parent;
};

G_DEFINE_TYPE(QuillomatSettingsOverlay, quillomat_settings_overlay, G_TYPE_SETTINGS_BACKEND)

OverlayState& State(GSettingsBackend* backend)
{
    return *reinterpret_cast<QuillomatSettingsOverlay*>(backend)->state;
}

// What GSETTINGS_BACKEND named before the overlay took its place.
std::optional<std::string>& ChosenStore()
{
    static std::optional<std::string> name;
    return name;
}

// The store that GIO would have made the default without the overlay: the one the
// environment names, else the first by GIO's order (dconf where installed).
GSettingsBackend* StoreGioWouldChoose()
{
    GIOExtensionPoint* point = g_io_extension_point_lookup(G_SETTINGS_BACKEND_EXTENSION_POINT_NAME);
    std::vector<GIOExtension*> candidates;
    if (point && ChosenStore())
        if (GIOExtension* chosen =
                g_io_extension_point_get_extension_by_name(point, ChosenStore()->c_str()))
            candidates.push_back(chosen);
    for (GList* item = point ? g_io_extension_point_get_extensions(point) : nullptr; item;
         item = item->next)
        candidates.push_back(static_cast<GIOExtension*>(item->data));
    for (GIOExtension* extension : candidates) {
        const GType type = g_io_extension_get_type(extension);
        if (type == quillomat_settings_overlay_get_type())
            continue;
        if (!g_type_is_a(type, G_TYPE_INITABLE))
            return G_SETTINGS_BACKEND(g_object_new(type, nullptr));
        if (GObject* store = static_cast<GObject*>(g_initable_new(type, nullptr, nullptr, nullptr)))
            return G_SETTINGS_BACKEND(store);
    }
    return g_memory_settings_backend_new();
}

GSettingsBackend* Desktop(GSettingsBackend* backend)
{
    OverlayState& state = State(backend);
    // Found at the first use: a program that never reads a setting never loads the store.
    std::call_once(state.desktopFound, [&state] {
        if (!state.desktop)
            state.desktop = StoreGioWouldChoose();
    });
    return state.desktop;
}

GSettingsBackendClass& ClassOf(GSettingsBackend* store)
{
    return *G_SETTINGS_BACKEND_GET_CLASS(store);
}

// The ids of the schemas that have a fixed path, by path.
const std::multimap<std::string, std::string>& SchemasByPath()
{
    static const std::multimap<std::string, std::string> schemas = [] {
        std::multimap<std::string, std::string> byPath;
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        if (!source)
            return byPath;
        gchar** fixed = nullptr;
        g_settings_schema_source_list_schemas(source, TRUE, &fixed, nullptr);
        for (gchar** id = fixed; id && *id; ++id)
            if (GSettingsSchema* schema = g_settings_schema_source_lookup(source, *id, TRUE)) {
                if (const gchar* path = g_settings_schema_get_path(schema))
                    byPath.emplace(path, *id);
                g_settings_schema_unref(schema);
            }
        g_strfreev(fixed);
        return byPath;
    }();
    return schemas;
}

std::string PathOf(GSettings* settings)
{
    gchar* path = nullptr;
    g_object_get(settings, "path", &path, nullptr);
    std::string text = path ? path : "";
    g_free(path);
    return text;
}

gboolean ForwardChanges(GSettings* watcher, GQuark* keys, gint count, gpointer overlay)
{
    const std::string path = PathOf(watcher);
    if (!keys) {
        g_settings_backend_path_changed(G_SETTINGS_BACKEND(overlay), path.c_str(), nullptr);
        return FALSE;
    }
    std::vector<const gchar*> names;
    for (gint i = 0; i < count; ++i)
        names.push_back(g_quark_to_string(keys[i]));
    names.push_back(nullptr);
    g_settings_backend_keys_changed(G_SETTINGS_BACKEND(overlay), path.c_str(), names.data(),
                                    nullptr);
    return FALSE;
}

gboolean ForwardWritableChange(GSettings* watcher, guint key, gpointer overlay)
{
    const std::string path = PathOf(watcher);
    if (key == 0)
        g_settings_backend_path_writable_changed(G_SETTINGS_BACKEND(overlay), path.c_str());
    else
        g_settings_backend_writable_changed(G_SETTINGS_BACKEND(overlay),
                                            (path + g_quark_to_string(key)).c_str());
    return FALSE;
}

void Subscribe(GSettingsBackend* backend, const gchar* path)
{
    GSettingsBackend* desktop = Desktop(backend);
    OverlayState& state = State(backend);
    std::lock_guard<std::mutex> held(state.lock);
    PathWatch& watch = state.watches[path];
    if (watch.subscriptions++ > 0)
        return;
    // The desktop's store tells its changes to settings objects of its own, one per schema.
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    const auto [first, last] = SchemasByPath().equal_range(path);
    for (auto entry = first; entry != last; ++entry) {
        GSettingsSchema* schema =
            g_settings_schema_source_lookup(source, entry->second.c_str(), TRUE);
        if (!schema)
            continue;
        GSettings* watcher = g_settings_new_full(schema, desktop, nullptr);
        g_settings_schema_unref(schema);
        g_signal_connect(watcher, "change-event", G_CALLBACK(ForwardChanges), backend);
        g_signal_connect(watcher, "writable-change-event", G_CALLBACK(ForwardWritableChange),
                         backend);
        watch.watchers.push_back(watcher);
    }
}

void StopWatching(GSettingsBackend* backend, PathWatch& watch)
{
    for (GSettings* watcher : watch.watchers) {
        g_signal_handlers_disconnect_by_data(watcher, backend);
        g_object_unref(watcher);
    }
    watch.watchers.clear();
}

void Unsubscribe(GSettingsBackend* backend, const gchar* path)
{
    OverlayState& state = State(backend);
    std::lock_guard<std::mutex> held(state.lock);
    const auto watch = state.watches.find(path);
    if (watch == state.watches.end() || --watch->second.subscriptions > 0)
        return;
    StopWatching(backend, watch->second);
    state.watches.erase(watch);
}

// Whether the program wrote or reset `key`; if so, `value` is what it left there.
bool WrittenValue(GSettingsBackend* backend, const gchar* key, GVariant*& value)
{
    OverlayState& state = State(backend);
    std::lock_guard<std::mutex> held(state.lock);
    const auto written = state.written.find(key);
    if (written == state.written.end())
        return false;
    value = written->second ? g_variant_ref(written->second) : nullptr;
    return true;
}

GVariant* Read(GSettingsBackend* backend, const gchar* key, const GVariantType* type,
               gboolean defaultValue)
{
    GVariant* value = nullptr;
    if (!defaultValue && WrittenValue(backend, key, value))
        return value;
    GSettingsBackend* desktop = Desktop(backend);
    return ClassOf(desktop).read(desktop, key, type, defaultValue);
}

GVariant* ReadUserValue(GSettingsBackend* backend, const gchar* key, const GVariantType* type)
{
    GVariant* value = nullptr;
    if (WrittenValue(backend, key, value))
        return value;
    GSettingsBackend* desktop = Desktop(backend);
    return ClassOf(desktop).read_user_value(desktop, key, type);
}

// Takes `value` (a reference of its own, or none for a reset key).
void Keep(GSettingsBackend* backend, const gchar* key, GVariant* value)
{
    OverlayState& state = State(backend);
    std::lock_guard<std::mutex> held(state.lock);
    const auto [written, added] = state.written.try_emplace(key, value);
    if (added)
        return;
    if (written->second)
        g_variant_unref(written->second);
    written->second = value;
}

gboolean Write(GSettingsBackend* backend, const gchar* key, GVariant* value, gpointer origin)
{
    Keep(backend, key, g_variant_ref_sink(value));
    g_settings_backend_changed(backend, key, origin);
    return TRUE;
}

gboolean WriteTree(GSettingsBackend* backend, GTree* tree, gpointer origin)
{
    g_tree_foreach(
        tree,
        [](gpointer key, gpointer value, gpointer overlay) -> gboolean {
            Keep(G_SETTINGS_BACKEND(overlay), static_cast<const gchar*>(key),
                 value ? g_variant_ref(static_cast<GVariant*>(value)) : nullptr);
            return FALSE;
        },
        backend);
    g_settings_backend_changed_tree(backend, tree, origin);
    return TRUE;
}

void Reset(GSettingsBackend* backend, const gchar* key, gpointer origin)
{
    Keep(backend, key, nullptr);
    g_settings_backend_changed(backend, key, origin);
}

// A key the user's desktop locks stays locked for the program too.
gboolean GetWritable(GSettingsBackend* backend, const gchar* key)
{
    GSettingsBackend* desktop = Desktop(backend);
    return ClassOf(desktop).get_writable(desktop, key);
}

GPermission* GetPermission(GSettingsBackend* backend, const gchar* path)
{
    GSettingsBackend* desktop = Desktop(backend);
    return ClassOf(desktop).get_permission(desktop, path);
}

void Finalize(GObject* object)
{
    GSettingsBackend* backend = G_SETTINGS_BACKEND(object);
    OverlayState* state = &State(backend);
    for (auto& [path, watch] : state->watches)
        StopWatching(backend, watch);
    for (auto& [key, value] : state->written)
        if (value)
            g_variant_unref(value);
    if (state->desktop)
        g_object_unref(state->desktop);
    delete state;
    G_OBJECT_CLASS(quillomat_settings_overlay_parent_class)->finalize(object);
}

void quillomat_settings_overlay_class_init(QuillomatSettingsOverlayClass* overlayClass)
{
    G_OBJECT_CLASS(overlayClass)->finalize = Finalize;
    GSettingsBackendClass& backendClass = overlayClass->parent;
    backendClass.read = Read;
    backendClass.read_user_value = ReadUserValue;
    backendClass.write = Write;
    backendClass.write_tree = WriteTree;
    backendClass.reset = Reset;
    backendClass.get_writable = GetWritable;
    backendClass.get_permission = GetPermission;
    backendClass.subscribe = Subscribe;
    backendClass.unsubscribe = Unsubscribe;
}

void quillomat_settings_overlay_init(QuillomatSettingsOverlay* overlay)
{
    overlay->state = new OverlayState;
}

}  // namespace

GSettingsBackend* NewSettingsOverlay(GSettingsBackend* desktop)
{
    auto* overlay =
        G_SETTINGS_BACKEND(g_object_new(quillomat_settings_overlay_get_type(), nullptr));
    State(overlay).desktop = G_SETTINGS_BACKEND(g_object_ref(desktop));
    return overlay;
}

void MakeSettingsOverlayTheDefault(const std::optional<std::string>& chosenStore)
{
    ChosenStore() = chosenStore;
    // Offered to GIO at a priority below every other store's, so that only the environment
    // picks it; GIO registers the same extension point again later, harmlessly.
    g_io_extension_point_register(G_SETTINGS_BACKEND_EXTENSION_POINT_NAME);
    g_io_extension_point_implement(G_SETTINGS_BACKEND_EXTENSION_POINT_NAME,
                                   quillomat_settings_overlay_get_type(), OverlayName, -1000);

    // GIO chooses the default store once per process, from the environment.
    constexpr char StoreVariable[] = "GSETTINGS_BACKEND";
    g_setenv(StoreVariable, OverlayName, TRUE);
    g_object_unref(g_settings_backend_get_default());
    // The web engine's processes, started later, choose their own store as before.
    if (chosenStore)
        g_setenv(StoreVariable, chosenStore->c_str(), TRUE);
    else
        g_unsetenv(StoreVariable);
}

}  // namespace quillomat
