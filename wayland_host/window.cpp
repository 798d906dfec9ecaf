// Toplevel windows: --window, and the saver's full-screen window on each
// output where the compositor has no layer shell.
#include "wayland_host.h"

// A window takes the scale of the output it was last shown on.
static void OnSurfaceEnter(void* data, wl_surface*, wl_output* entered) {
  WaylandHostState& w = waylandHostState;
  Surface& surface = *static_cast<Surface*>(data);
  if (&surface != &w.window) return;
  w.windowOutput = entered;
  for (const Output& output : w.outputs)
    if (output.output == entered) surface.integerScale = output.scale;
  if (surface.configured) FitSurface(surface);
}
static void OnSurfaceLeave(void*, wl_surface*, wl_output*) {}
static const wl_surface_listener surfaceListener = {OnSurfaceEnter, OnSurfaceLeave};

static void OnToplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array*) {
  Surface& surface = *static_cast<Surface*>(data);
  // 0: the size is ours to choose; we keep the one we have.
  if (width > 0 && height > 0) {
    surface.width = width;
    surface.height = height;
  }
}
static void OnToplevelClose(void*, xdg_toplevel*) { waylandHostState.ended = true; }
static const xdg_toplevel_listener toplevelListener = [] {
  xdg_toplevel_listener listener = {};
  listener.configure = OnToplevelConfigure;
  listener.close = OnToplevelClose;
  return listener;
}();

static void OnXdgSurfaceConfigure(void* data, xdg_surface* xdgSurface, uint32_t serial) {
  Surface& surface = *static_cast<Surface*>(data);
  xdg_surface_ack_configure(xdgSurface, serial);
  ConfigureSurface(surface, surface.width, surface.height);
}
static const xdg_surface_listener xdgSurfaceListener = {OnXdgSurfaceConfigure};

void MakeToplevel(Surface& surface, wl_output* fullScreenOn) {
  const WaylandHostState& w = waylandHostState;
  surface.width = kDefaultWindowWidth;
  surface.height = kDefaultWindowHeight;
  surface.surface = wl_compositor_create_surface(w.compositor);
  wl_surface_add_listener(surface.surface, &surfaceListener, &surface);
  surface.xdgSurface = xdg_wm_base_get_xdg_surface(w.wmBase, surface.surface);
  xdg_surface_add_listener(surface.xdgSurface, &xdgSurfaceListener, &surface);
  surface.toplevel = xdg_surface_get_toplevel(surface.xdgSurface);
  xdg_toplevel_add_listener(surface.toplevel, &toplevelListener, &surface);
  xdg_toplevel_set_title(surface.toplevel, "Kelvaris");
  xdg_toplevel_set_app_id(surface.toplevel, "kelvaris");
  if (fullScreenOn) xdg_toplevel_set_fullscreen(surface.toplevel, fullScreenOn);
  OfferFractionalScale(surface);
  wl_surface_commit(surface.surface);
}
