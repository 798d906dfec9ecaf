// The outputs the compositor announces, and our surface on each in the
// saver and background modes: a layer surface, or, for the saver where the
// compositor has no layer shell, a full-screen window.
#include <algorithm>

#include "wayland_host.h"

static void OnOutputGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                             const char*, int32_t) {}
static void OnOutputMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
static void OnOutputScale(void* data, wl_output*, int32_t factor) {
  static_cast<Output*>(data)->scale = std::max(1, factor);
}
static void MakeOutputSurface(Output& output);

// Once the output's new state is whole: the surfaces on it follow its
// scale, and an output whose surface the compositor closed gets a new one.
static void OnOutputDone(void* data, wl_output*) {
  WaylandHostState& w = waylandHostState;
  Output& output = *static_cast<Output*>(data);
  if (!output.surface.surface && w.globalsKnown) MakeOutputSurface(output);
  output.surface.integerScale = output.scale;
  if (output.surface.configured) FitSurface(output.surface);
  if (w.windowOutput == output.output && w.window.integerScale != output.scale) {
    w.window.integerScale = output.scale;
    if (w.window.configured) FitSurface(w.window);
  }
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

static void OnLayerSurfaceConfigure(void* data, zwlr_layer_surface_v1* layerSurface, uint32_t serial,
                                    uint32_t width, uint32_t height) {
  zwlr_layer_surface_v1_ack_configure(layerSurface, serial);
  ConfigureSurface(*static_cast<Surface*>(data), static_cast<int32_t>(width), static_cast<int32_t>(height));
}
// The compositor took the surface away (as sway does while an output it
// has just announced is being set up): the output gets a new one with its
// next state.
static void OnLayerSurfaceClosed(void* data, zwlr_layer_surface_v1*) {
  ReleaseSurface(*static_cast<Surface*>(data));
}
static const zwlr_layer_surface_v1_listener layerSurfaceListener = {OnLayerSurfaceConfigure,
                                                                    OnLayerSurfaceClosed};

// A layer surface covering the whole output: above every window and panel,
// taking the keyboard, for the saver; below every window, taking no input,
// for the background.
static void MakeLayerSurface(Output& output) {
  WaylandHostState& w = waylandHostState;
  Surface& surface = output.surface;
  const bool saver = w.mode == WaylandMode::kSaver;
  surface.surface = wl_compositor_create_surface(w.compositor);
  surface.layerSurface = zwlr_layer_shell_v1_get_layer_surface(
      w.layerShell, surface.surface, output.output,
      saver ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY : ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND, "kelvaris");
  zwlr_layer_surface_v1_set_anchor(
      surface.layerSurface, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
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
  zwlr_layer_surface_v1_add_listener(surface.layerSurface, &layerSurfaceListener, &surface);
  wl_surface_commit(surface.surface);
}

// Outputs announced before the shells are known get their surfaces once
// they are (ShowOutputSurfaces); those plugged in later, at once.
static void MakeOutputSurface(Output& output) {
  const WaylandHostState& w = waylandHostState;
  output.surface.integerScale = output.scale;
  if (w.mode == WaylandMode::kWindow || !w.showing) return;
  if (w.layerShell) {
    MakeLayerSurface(output);
  } else if (w.mode == WaylandMode::kSaver && w.wmBase) {
    MakeToplevel(output.surface, output.output);
  }
}

void AddOutput(wl_output* output, uint32_t name) {
  for (Output& place : waylandHostState.outputs) {
    if (place.output) continue;
    place = {};
    place.output = output;
    place.name = name;
    place.scale = 1;
    wl_output_add_listener(output, &outputListener, &place);
    if (waylandHostState.globalsKnown) MakeOutputSurface(place);
    return;
  }
  wl_output_destroy(output);
}

void ShowOutputSurfaces(bool show) {
  WaylandHostState& w = waylandHostState;
  w.showing = show;
  for (Output& output : w.outputs) {
    if (!output.output) continue;
    if (show && !output.surface.surface) MakeOutputSurface(output);
    if (!show) ReleaseSurface(output.surface);
  }
}

void RemoveOutput(uint32_t name) {
  for (Output& output : waylandHostState.outputs)
    if (output.output && output.name == name) ReleaseOutput(output);
}

void ReleaseOutput(Output& output) {
  WaylandHostState& w = waylandHostState;
  ReleaseSurface(output.surface);
  if (w.windowOutput == output.output) w.windowOutput = nullptr;
  wl_output_destroy(output.output);
  output = {};
}
