// The Wayland host: kelvaris-wayland draws the scene with EGL and a desktop
// OpenGL compatibility context on a surface of its own on every output (a
// layer-shell surface above or below everything), or in one ordinary
// window, a frame whenever the compositor will show one and a tick of the
// animation has passed.
#pragma once

#include <EGL/egl.h>
#include <wayland-client.h>
#include <wayland-egl.h>
#include <xkbcommon/xkbcommon.h>

#include <csignal>
#include <cstdint>

#include "fractional-scale.h"
#include "frame_clock.h"
#include "options.h"
#include "viewporter.h"
#include "xdg-shell.h"
// The generated header names a parameter `namespace`, a C++ keyword.
#define namespace layer_namespace
#include "wlr-layer-shell.h"
#undef namespace

// One surface of ours: on an output (saver and background) or the window.
struct Surface {
  bool inUse;
  wl_output* output;  // null for the window
  uint32_t outputName;  // the registry's name of the output
  int32_t outputScale;  // the output's integer scale
  wl_surface* surface;
  zwlr_layer_surface_v1* layerSurface;
  xdg_surface* xdgSurface;
  xdg_toplevel* toplevel;
  wp_viewport* viewport;
  wp_fractional_scale_v1* fractionalScale;
  uint32_t preferredScale120;  // from fractional-scale, in 120ths; 0 when not offered
  int32_t bufferScale;         // the integer scale the buffer is drawn at
  int32_t width, height;       // in surface coordinates, once configured
  int32_t bufferWidth, bufferHeight;  // in pixels
  wl_egl_window* eglWindow;
  EGLSurface eglSurface;
  bool configured;
  bool stale;         // its size or scale changed, or it was never drawn
  wl_callback* frameCallback;  // asked for with the last frame, until it comes
  FrameRateCounter frameRate;
};

constexpr int kMaxSurfaces = 16;

struct WaylandHostState {
  WaylandMode mode;
  wl_display* display;
  wl_registry* registry;
  wl_compositor* compositor;
  zwlr_layer_shell_v1* layerShell;
  xdg_wm_base* wmBase;
  wp_viewporter* viewporter;
  wp_fractional_scale_manager_v1* fractionalScaleManager;
  wl_seat* seat;
  wl_keyboard* keyboard;
  wl_pointer* pointer;
  wl_touch* touch;
  xkb_context* xkbContext;
  xkb_keymap* keymap;
  xkb_state* xkbState;
  EGLDisplay eglDisplay;
  EGLConfig eglConfig;
  EGLContext eglContext;
  bool sceneReady;  // the scene's GL resources are made (on the first surface)
  Surface surfaces[kMaxSurfaces];
  // Set by input that ends the run (status 0) and by the window's close.
  bool ended;
  // Where the pointer entered a saver surface, to measure its travel.
  bool pointerPlaced;
  double pointerStartX, pointerStartY;
};

extern WaylandHostState waylandHostState;

// Connects to the compositor, binds what the mode needs and makes the EGL
// context. Prints why, naming what is missing, and returns false when that
// cannot be had.
bool OpenWaylandHost(WaylandMode mode);

// Releases every surface, the context and the connection.
void CloseWaylandHost();

// Surfaces: one per output in the saver and background modes (made when the
// output is announced, released when it goes), or the window.
void AddOutput(wl_output* output, uint32_t name);
void MakeLayerSurfaces();  // for the outputs announced before the layer shell
void RemoveOutput(uint32_t name);
bool MakeWindow();
// Releases what draws on the surface, keeping the output it belongs to.
void ReleaseDrawing(Surface& surface);
// Releases the surface and its output, and frees its place.
void ReleaseSurface(Surface& surface);
// Gives the surface's EGL surface the size and scale it is now shown at.
void FitSurface(Surface& surface);

// Takes the seat's keyboard, pointer and touch as they come and go.
void BindSeatInput(wl_seat* seat);

// Runs until input or the window's close ends it (true), a stop signal or
// the compositor's end (false). `waiting` lets the stop signals in.
bool RunWaylandFrames(const WaylandOptions& options, const sigset_t& waiting);
