#include "app/pane/web_context.h"

#include <webkit2/webkit2.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace quillomat {

namespace {

// A bound that leaves a 4 GB laptop its desktop: a gigabyte, or a quarter of the memory where
// that is less.
unsigned WebProcessMemoryLimitInMegabytes()
{
    constexpr std::uint64_t Megabyte = 1024 * 1024;
    constexpr std::uint64_t Most = 1024;
    constexpr std::uint64_t Least = 256;
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return Most;
    const std::uint64_t quarter = std::uint64_t(pages) * std::uint64_t(pageSize) / 4 / Megabyte;
    return unsigned(std::clamp(quarter, Least, Most));
}

}  // namespace

WebKitWebContext* NewWebContext(const WebContextOptions& options)
{
    WebKitWebsiteDataManager* dataManager = webkit_website_data_manager_new_ephemeral();
    if (!options.proxyAddress.empty()) {
        WebKitNetworkProxySettings* proxy =
            webkit_network_proxy_settings_new(options.proxyAddress.c_str(), nullptr);
        webkit_website_data_manager_set_network_proxy_settings(
            dataManager, WEBKIT_NETWORK_PROXY_MODE_CUSTOM, proxy);
        webkit_network_proxy_settings_free(proxy);
    }
    WebKitMemoryPressureSettings* memory = webkit_memory_pressure_settings_new();
    webkit_memory_pressure_settings_set_memory_limit(memory, WebProcessMemoryLimitInMegabytes());
    // Caches are let go from half the bound on; past it, the web process is ended. Each
    // threshold must stay above the one before it, the defaults included.
    webkit_memory_pressure_settings_set_strict_threshold(memory, 0.75);
    webkit_memory_pressure_settings_set_conservative_threshold(memory, 0.5);
    webkit_memory_pressure_settings_set_kill_threshold(memory, 1.0);
    // A page can take gigabytes within seconds.
    webkit_memory_pressure_settings_set_poll_interval(memory, 1.0);
    auto* context =
        WEBKIT_WEB_CONTEXT(g_object_new(WEBKIT_TYPE_WEB_CONTEXT, "website-data-manager",
                                        dataManager, "memory-pressure-settings", memory, nullptr));
    webkit_memory_pressure_settings_free(memory);
    g_object_unref(dataManager);
    webkit_web_context_set_sandbox_enabled(context, options.sandboxed);
    return context;
}

}  // namespace quillomat
