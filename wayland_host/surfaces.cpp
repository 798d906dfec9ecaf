// What every surface of ours shares: its scale, its size, the EGL surface
// drawn on, and its release.
#include "measures.h"
#include "wayland_host.h"

static void OnFrameCallbackDone(void* data, wl_callback* callback, uint32_t) {
  Surface& surface = *static_cast<Surface*>(data);
  wl_callback_destroy(callback);
  surface.frameCallback = nullptr;
}
const wl_callback_listener frameDoneListener = {OnFrameCallbackDone};

static void OnFractionalScalePreferred(void* data, wp_fractional_scale_v1*, uint32_t scale120) {
  Surface& surface = *static_cast<Surface*>(data);
  surface.preferredScale120 = scale120;
  if (surface.configured) FitSurface(surface);
}
static const wp_fractional_scale_v1_listener fractionalScaleListener = {OnFractionalScalePreferred};

// Where the compositor offers them, the buffer is drawn at the output's
// fractional scale and shown through a viewport at the surface's size.
void OfferFractionalScale(Surface& surface) {
  const WaylandHostState& w = waylandHostState;
  if (!w.viewporter || !w.fractionalScaleManager) return;
  surface.viewport = wp_viewporter_get_viewport(w.viewporter, surface.surface);
  surface.fractionalScale =
      wp_fractional_scale_manager_v1_get_fractional_scale(w.fractionalScaleManager, surface.surface);
  wp_fractional_scale_v1_add_listener(surface.fractionalScale, &fractionalScaleListener, &surface);
}

void ConfigureSurface(Surface& surface, int32_t width, int32_t height) {
  surface.width = width;
  surface.height = height;
  // A compositor may tell the scale it means only after the first
  // configure (KWin says 1 before 1.5): the first frame waits for the
  // answer to a round trip sent now, by which everything sent with the
  // configure has come.
  if (!surface.configured) {
    surface.frameCallback = wl_display_sync(waylandHostState.display);
    wl_callback_add_listener(surface.frameCallback, &frameDoneListener, &surface);
  }
  surface.configured = true;
  FitSurface(surface);
}

void FitSurface(Surface& surface) {
  const WaylandHostState& w = waylandHostState;
  if (surface.width <= 0 || surface.height <= 0) return;
  const uint32_t fractional = surface.viewport ? surface.preferredScale120 : 0;
  const BufferSize buffer = BufferSizeFor(surface.width, surface.height, surface.integerScale, fractional);
  surface.bufferScale = buffer.scale;
  surface.bufferWidth = buffer.width;
  surface.bufferHeight = buffer.height;
  if (fractional) wp_viewport_set_destination(surface.viewport, surface.width, surface.height);
  wl_surface_set_buffer_scale(surface.surface, surface.bufferScale);
  if (!surface.eglWindow) {
    surface.eglWindow = wl_egl_window_create(surface.surface, surface.bufferWidth, surface.bufferHeight);
    surface.eglSurface = eglCreateWindowSurface(
        w.eglDisplay, w.eglConfig, reinterpret_cast<EGLNativeWindowType>(surface.eglWindow), nullptr);
    // Its swaps must never wait: frames are paced by the frame callbacks.
    if (eglMakeCurrent(w.eglDisplay, surface.eglSurface, surface.eglSurface, w.eglContext))
      eglSwapInterval(w.eglDisplay, 0);
  } else {
    wl_egl_window_resize(surface.eglWindow, surface.bufferWidth, surface.bufferHeight, 0, 0);
  }
  surface.stale = true;
}

void ReleaseSurface(Surface& surface) {
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
  surface = {};
}
