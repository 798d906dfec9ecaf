#include <algorithm>
#include <cmath>

#include "wayland_host.h"

static Surface* FreeSlot() {
  for (Surface& surface : waylandHostState.surfaces)
    if (!surface.inUse) return &surface;
  return nullptr;
}

static void OnOutputGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*,
                             int32_t) {}
static void OnOutputMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
static void OnOutputScale(void* data, wl_output*, int32_t factor) {
  static_cast<Surface*>(data)->outputScale = std::max(1, factor);
}
static void MakeLayerSurface(Surface& surface);

// Once the output's new state is whole: the surface on it follows its
// scale, and an output whose surface the compositor closed gets a new one.
static void OnOutputDone(void* data, wl_output*) {
  const WaylandHostState& w = waylandHostState;
  Surface& surface = *static_cast<Surface*>(data);
  if (!surface.surface && w.layerShell && w.mode != WaylandMode::kWindow) MakeLayerSurface(surface);
  if (surface.configured) FitSurface(surface);
}
// Member by member, as for every listener that newer protocol versions
// extend with events the version bound here never sends.
static const wl_output_listener outputListener = [] {
  wl_output_listener listener = {};
  listener.geometry = OnOutputGeometry;
  listener.mode = OnOutputMode;
  listener.done = OnOutputDone;
  listener.scale = OnOutputScale;
  return listener;
}();

static void OnPreferredScale(void* data, wp_fractional_scale_v1*, uint32_t scale120) {
  Surface& surface = *static_cast<Surface*>(data);
  surface.preferredScale120 = scale120;
  if (surface.configured) FitSurface(surface);
}
static const wp_fractional_scale_v1_listener fractionalScaleListener = {OnPreferredScale};

// Where the compositor offers them, the buffer is drawn at the output's
// fractional scale and shown through a viewport at the surface's size.
static void OfferFractionalScale(Surface& surface) {
  const WaylandHostState& w = waylandHostState;
  if (!w.viewporter || !w.fractionalScaleManager) return;
  surface.viewport = wp_viewporter_get_viewport(w.viewporter, surface.surface);
  surface.fractionalScale = wp_fractional_scale_manager_v1_get_fractional_scale(w.fractionalScaleManager,
                                                                                 surface.surface);
  wp_fractional_scale_v1_add_listener(surface.fractionalScale, &fractionalScaleListener, &surface);
}

static void OnLayerConfigure(void* data, zwlr_layer_surface_v1* layerSurface, uint32_t serial, uint32_t width,
                             uint32_t height) {
  Surface& surface = *static_cast<Surface*>(data);
  zwlr_layer_surface_v1_ack_configure(layerSurface, serial);
  surface.width = static_cast<int32_t>(width);
  surface.height = static_cast<int32_t>(height);
  surface.configured = true;
  FitSurface(surface);
}
// The compositor took the surface away (as sway does while an output it
// has just announced is being set up): the output gets a new one with its
// next state.
static void OnLayerClosed(void* data, zwlr_layer_surface_v1*) { ReleaseDrawing(*static_cast<Surface*>(data)); }
static const zwlr_layer_surface_v1_listener layerListener = {OnLayerConfigure, OnLayerClosed};

// A layer surface covering the whole output: above every window and panel,
// taking the keyboard, for the saver; below every window, taking no input,
// for the background.
static void MakeLayerSurface(Surface& surface) {
  WaylandHostState& w = waylandHostState;
  const bool saver = w.mode == WaylandMode::kSaver;
  surface.surface = wl_compositor_create_surface(w.compositor);
  surface.layerSurface = zwlr_layer_shell_v1_get_layer_surface(
      w.layerShell, surface.surface, surface.output,
      saver ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY : ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND, "kelvaris");
  zwlr_layer_surface_v1_set_anchor(surface.layerSurface,
                                   ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                       ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
  // -1: the whole output, panels' reserved edges included.
  zwlr_layer_surface_v1_set_exclusive_zone(surface.layerSurface, -1);
  zwlr_layer_surface_v1_set_keyboard_interactivity(surface.layerSurface, saver ? 1 : 0);
  if (!saver) {
    wl_region* nothing = wl_compositor_create_region(w.compositor);
    wl_surface_set_input_region(surface.surface, nothing);
    wl_region_destroy(nothing);
  }
  OfferFractionalScale(surface);
  zwlr_layer_surface_v1_add_listener(surface.layerSurface, &layerListener, &surface);
  wl_surface_commit(surface.surface);
}

void AddOutput(wl_output* output, uint32_t name) {
  WaylandHostState& w = waylandHostState;
  Surface* surface = FreeSlot();
  if (!surface) {
    wl_output_destroy(output);
    return;
  }
  *surface = {};
  surface->inUse = true;
  surface->output = output;
  surface->outputName = name;
  surface->outputScale = 1;
  wl_output_add_listener(output, &outputListener, surface);
  // Outputs announced before the layer shell get their surfaces once it is
  // known (OpenWaylandHost); those plugged in later, at once.
  if (w.layerShell && w.mode != WaylandMode::kWindow) MakeLayerSurface(*surface);
}

void MakeLayerSurfaces() {
  for (Surface& surface : waylandHostState.surfaces)
    if (surface.inUse && surface.output && !surface.surface) MakeLayerSurface(surface);
}

void RemoveOutput(uint32_t name) {
  for (Surface& surface : waylandHostState.surfaces)
    if (surface.inUse && surface.output && surface.outputName == name) ReleaseSurface(surface);
}

// The window's scale is that of the output it was last shown on.
static void OnEnter(void* data, wl_surface*, wl_output* output) {
  Surface& window = *static_cast<Surface*>(data);
  for (const Surface& surface : waylandHostState.surfaces)
    if (surface.inUse && surface.output == output) window.outputScale = surface.outputScale;
  if (window.configured) FitSurface(window);
}
static void OnLeave(void*, wl_surface*, wl_output*) {}
static const wl_surface_listener windowSurfaceListener = {OnEnter, OnLeave};

static void OnToplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array*) {
  Surface& window = *static_cast<Surface*>(data);
  // 0: the size is ours to choose; we keep the one we have.
  if (width > 0 && height > 0) {
    window.width = width;
    window.height = height;
  }
}
static void OnToplevelClose(void*, xdg_toplevel*) { waylandHostState.ended = true; }
static const xdg_toplevel_listener toplevelListener = [] {
  xdg_toplevel_listener listener = {};
  listener.configure = OnToplevelConfigure;
  listener.close = OnToplevelClose;
  return listener;
}();

static void OnXdgConfigure(void* data, xdg_surface* xdgSurface, uint32_t serial) {
  Surface& window = *static_cast<Surface*>(data);
  xdg_surface_ack_configure(xdgSurface, serial);
  window.configured = true;
  FitSurface(window);
}
static const xdg_surface_listener xdgSurfaceListener = {OnXdgConfigure};

bool MakeWindow() {
  WaylandHostState& w = waylandHostState;
  Surface* window = FreeSlot();
  if (!window) return false;
  *window = {};
  window->inUse = true;
  window->outputScale = 1;
  window->width = 800;
  window->height = 600;
  window->surface = wl_compositor_create_surface(w.compositor);
  wl_surface_add_listener(window->surface, &windowSurfaceListener, window);
  window->xdgSurface = xdg_wm_base_get_xdg_surface(w.wmBase, window->surface);
  xdg_surface_add_listener(window->xdgSurface, &xdgSurfaceListener, window);
  window->toplevel = xdg_surface_get_toplevel(window->xdgSurface);
  xdg_toplevel_add_listener(window->toplevel, &toplevelListener, window);
  xdg_toplevel_set_title(window->toplevel, "Kelvaris");
  xdg_toplevel_set_app_id(window->toplevel, "kelvaris");
  OfferFractionalScale(*window);
  wl_surface_commit(window->surface);
  return true;
}

void FitSurface(Surface& surface) {
  const WaylandHostState& w = waylandHostState;
  if (surface.width <= 0 || surface.height <= 0) return;
  if (surface.preferredScale120 && surface.viewport) {
    surface.bufferScale = 1;
    surface.bufferWidth = static_cast<int32_t>(std::lround(surface.width * surface.preferredScale120 / 120.0));
    surface.bufferHeight = static_cast<int32_t>(std::lround(surface.height * surface.preferredScale120 / 120.0));
    wp_viewport_set_destination(surface.viewport, surface.width, surface.height);
  } else {
    surface.bufferScale = surface.outputScale;
    surface.bufferWidth = surface.width * surface.bufferScale;
    surface.bufferHeight = surface.height * surface.bufferScale;
  }
  wl_surface_set_buffer_scale(surface.surface, surface.bufferScale);
  if (!surface.eglWindow) {
    surface.eglWindow = wl_egl_window_create(surface.surface, surface.bufferWidth, surface.bufferHeight);
    surface.eglSurface = eglCreateWindowSurface(w.eglDisplay, w.eglConfig,
                                                reinterpret_cast<EGLNativeWindowType>(surface.eglWindow), nullptr);
    // Its swaps must never wait: frames are paced by the frame callbacks.
    if (eglMakeCurrent(w.eglDisplay, surface.eglSurface, surface.eglSurface, w.eglContext))
      eglSwapInterval(w.eglDisplay, 0);
  } else {
    wl_egl_window_resize(surface.eglWindow, surface.bufferWidth, surface.bufferHeight, 0, 0);
  }
  surface.stale = true;
}

void ReleaseDrawing(Surface& surface) {
  const WaylandHostState& w = waylandHostState;
  if (surface.frameCallback) wl_callback_destroy(surface.frameCallback);
  if (surface.eglSurface) {
    if (eglGetCurrentSurface(EGL_DRAW) == surface.eglSurface)
      eglMakeCurrent(w.eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, w.eglContext);
    eglDestroySurface(w.eglDisplay, surface.eglSurface);
  }
  if (surface.eglWindow) wl_egl_window_destroy(surface.eglWindow);
  if (surface.fractionalScale) wp_fractional_scale_v1_destroy(surface.fractionalScale);
  if (surface.viewport) wp_viewport_destroy(surface.viewport);
  if (surface.layerSurface) zwlr_layer_surface_v1_destroy(surface.layerSurface);
  if (surface.toplevel) xdg_toplevel_destroy(surface.toplevel);
  if (surface.xdgSurface) xdg_surface_destroy(surface.xdgSurface);
  if (surface.surface) wl_surface_destroy(surface.surface);
  Surface kept = {};
  kept.inUse = surface.inUse;
  kept.output = surface.output;
  kept.outputName = surface.outputName;
  kept.outputScale = surface.outputScale;
  surface = kept;
}

void ReleaseSurface(Surface& surface) {
  ReleaseDrawing(surface);
  if (surface.output) wl_output_destroy(surface.output);
  surface = {};
}
