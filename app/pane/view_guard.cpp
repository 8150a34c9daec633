#include "app/pane/view_guard.h"

#include <webkit2/webkit2.h>

#include "app/pane/signal_link.h"
#include "app/pane/spell_checking.h"

namespace quillomat {

constexpr char GuardKey[] = "quillomat-view-guard";

WebKitWebView* ViewGuard::NewView(WebKitWebContext* context, MainUseDesktop& boxes)
{
    return Guard(WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(context)), boxes, false);
}

WebKitWebView* ViewGuard::NewRelatedView(WebKitWebView* opener)
{
    return Guard(WEBKIT_WEB_VIEW(webkit_web_view_new_with_related_view(opener)), Of(opener).boxes_,
                 true);
}

ViewGuard& ViewGuard::Of(WebKitWebView* view)
{
    return *static_cast<ViewGuard*>(g_object_get_data(G_OBJECT(view), GuardKey));
}

WebKitWebView* ViewGuard::Guard(WebKitWebView* view, MainUseDesktop& boxes, bool popUp)
{
    auto* guard = new ViewGuard(view, boxes, popUp);
    g_object_set_data(G_OBJECT(view), GuardKey, guard);
    // The guard goes with the view, once its handlers are gone.
    g_object_weak_ref(
        G_OBJECT(view), [](gpointer guard, GObject*) { delete static_cast<ViewGuard*>(guard); },
        guard);
    HelpWritingInFrench(view);
    return view;
}

ViewGuard::ViewGuard(WebKitWebView* view, MainUseDesktop& boxes, bool popUp)
    : boxes_(boxes),
      dialogs_(view, boxes),
      choosers_(view, boxes),
      failures_(view, popUp),
      exit_(view, dialogs_)
{
    // Full screen from a pane a few hundred pixels wide: the blog's pages have no need of it.
    webkit_settings_set_enable_fullscreen(webkit_web_view_get_settings(view), FALSE);
    ConnectWhileAlive<&ViewGuard::OnPermissionRequest>(view, "permission-request", this);
    ConnectWhileAlive<&ViewGuard::OnEnterFullScreen>(view, "enter-fullscreen", this);
}

int ViewGuard::OnPermissionRequest(WebKitWebView*, WebKitPermissionRequest* request, ViewGuard*)
{
    // Nothing the blog's pages do needs the camera, the position, notifications or the like.
    webkit_permission_request_deny(request);
    return TRUE;
}

int ViewGuard::OnEnterFullScreen(WebKitWebView*, ViewGuard*)
{
    return TRUE;
}

}  // namespace quillomat
