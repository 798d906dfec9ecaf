// The Wayland host: kelvaris-wayland draws the scene with EGL and a desktop
// OpenGL compatibility context on a surface of its own on every output (a
// layer-shell surface above or below everything, or, where the compositor
// has no layer shell, a full-screen window), or in one ordinary window, a
// frame whenever the compositor will show one and a tick of the animation
// has passed.
#pragma once

#include <EGL/egl.h>
#include <systemd/sd-bus.h>
#include <wayland-client.h>
#include <wayland-egl.h>
#include <xkbcommon/xkbcommon.h>

#include <csignal>
#include <cstdint>

#include "ext-idle-notify.h"
#include "fractional-scale.h"
#include "frame_clock.h"
#include "kde-idle.h"
#include "viewporter.h"
#include "wayland_options.h"
#include "xdg-shell.h"
// The generated header names a parameter `namespace`, a C++ keyword.
#define namespace layer_namespace
#include "wlr-layer-shell.h"
#undef namespace

// One surface of ours and what draws on it: an output's layer surface or
// full-screen window, or the window.
struct Surface {
  wl_surface* surface;  // null: none made
  zwlr_layer_surface_v1* layerSurface;
  xdg_surface* xdgSurface;
  xdg_toplevel* toplevel;
  wp_viewport* viewport;
  wp_fractional_scale_v1* fractionalScale;
  uint32_t preferredScale120;         // from fractional-scale, in 120ths; 0 when not offered
  int32_t integerScale;               // of the output it is shown on
  int32_t bufferScale;                // the integer scale the buffer is drawn at
  int32_t width, height;              // in surface coordinates, once configured
  int32_t bufferWidth, bufferHeight;  // in pixels
  wl_egl_window* eglWindow;
  EGLSurface eglSurface;
  bool configured;
  bool stale;  // its size or scale changed, or it was never drawn
  // The last frame's callback until it comes; before the first frame, the
  // answer to the first configure round, which may still change the scale.
  wl_callback* frameCallback;
  FrameRateCounter frameRate;
};

// An output the compositor announced, and our surface on it in the saver
// and background modes.
struct Output {
  wl_output* output;  // null: a free place
  uint32_t name;      // the registry's
  int32_t scale;      // the output's integer scale
  Surface surface;
};

// A seat and its input devices, each taken as it comes and released as it goes.
struct Seat {
  wl_seat* seat;  // null: a free place
  uint32_t name;  // the registry's
  wl_keyboard* keyboard;
  wl_pointer* pointer;
  wl_touch* touch;
  xkb_keymap* keymap;
  xkb_state* xkbState;
  // Where the pointer entered a saver surface, to measure its travel.
  bool pointerPlaced;
  double pointerStartX, pointerStartY;
  // With --idle, the compositor's watch on the seat's user, one of the two.
  ext_idle_notification_v1* idleNotification;
  org_kde_kwin_idle_timeout* idleTimeout;
  bool idle;  // its user has been idle for the time asked, and not back since
};

constexpr int kMaxOutputs = 16;
constexpr int kMaxSeats = 8;

struct WaylandHostState {
  WaylandMode mode;
  wl_display* display;
  wl_registry* registry;
  wl_compositor* compositor;
  zwlr_layer_shell_v1* layerShell;
  xdg_wm_base* wmBase;
  wp_viewporter* viewporter;
  wp_fractional_scale_manager_v1* fractionalScaleManager;
  ext_idle_notifier_v1* idleNotifier;
  org_kde_kwin_idle* kdeIdle;
  bool globalsKnown;  // the registry's first round is in: the shells offered are known
  xkb_context* xkbContext;
  EGLDisplay eglDisplay;
  EGLConfig eglConfig;
  EGLContext eglContext;
  bool sceneReady;  // the scene's GL resources are made (on the first surface)
  Output outputs[kMaxOutputs];
  Seat seats[kMaxSeats];
  Surface window;           // --window
  wl_output* windowOutput;  // the output the window was last shown on
  // Whether the outputs show their surfaces: with --idle only while the
  // user is idle, else from the start.
  bool showing;
  // Set by input that ends the saver (status 0, or with --idle, a wait for
  // the next time the user is idle) and by a window's close.
  bool ended;
  // --idle: how long the user must be idle, in milliseconds; 0 without it.
  uint32_t idleMilliseconds;
  // Where the compositor has no idle protocol: GNOME's idle monitor on the
  // session bus, its watch, and what it said.
  sd_bus* sessionBus;
  uint32_t gnomeIdleWatch;
  bool gnomeIdle;           // the watch fired, and no application inhibits idling
  bool gnomeIdleInhibited;  // the watch fired while an application inhibited idling
};

extern WaylandHostState waylandHostState;

// Connects to the compositor, binds what the mode needs and makes the EGL
// context. Says why, naming what is missing, releases what it had, and
// returns false when that cannot be had.
bool OpenWaylandHost(const WaylandOptions& options);

// Releases every surface, device and global bound, the context and the
// connection.
void CloseWaylandHost();

// Outputs (outputs.cpp): in the saver and background modes each gets its
// surface when it is announced, or once the shells are known; it is
// released when the output goes.
void AddOutput(wl_output* output, uint32_t name);
void RemoveOutput(uint32_t name);
void ReleaseOutput(Output& output);
// Shows or hides the saver's surfaces on every output.
void ShowOutputSurfaces(bool show);

// Toplevels (window.cpp): the window, or a full-screen window on an output
// where the compositor has no layer shell.
void MakeToplevel(Surface& surface, wl_output* fullScreenOn);

// Surfaces (surfaces.cpp).
// Asks for the compositor's fractional scale, where it offers one.
void OfferFractionalScale(Surface& surface);
// Takes a configure: the size, and the first time, a wait for the round's
// scale before the first frame.
void ConfigureSurface(Surface& surface, int32_t width, int32_t height);
// Gives the surface's EGL surface the size and scale it is now shown at.
void FitSurface(Surface& surface);
// Releases the surface and what draws on it.
void ReleaseSurface(Surface& surface);
// The frame callback's listener: the compositor will show the next frame.
extern const wl_callback_listener frameDoneListener;

// Seats (input.cpp): every seat's keyboard, pointer and touch.
void AddSeat(wl_seat* seat, uint32_t name);
void RemoveSeat(uint32_t name);
void ReleaseSeat(Seat& seat);

// The idle watch (idle_watch.cpp), with --idle: the compositor's idle
// protocol on every seat where it offers one, else GNOME's idle monitor
// (gnome_idle.cpp). StartIdleWatch says why and returns false when there
// is neither.
bool StartIdleWatch();
void WatchIdleOnSeat(Seat& seat);
void ReleaseIdleWatch(Seat& seat);
// Whether the user has been idle for the time asked: on every seat watched,
// or by GNOME's watch.
bool UserIdle();
// The saver was ended by input: GNOME's session is idle again only once its
// watch says so (input on a seat clears that seat's idle itself).
void ForgetIdle();
bool OpenGnomeIdleWatch();
void ProcessGnomeIdleWatch();
void CloseGnomeIdleWatch();

// Runs until input or a window's close ends it (true), a stop signal or
// the compositor's end (false). `waiting` lets the stop signals in.
bool RunWaylandFrames(const WaylandOptions& options, const sigset_t& waiting);
