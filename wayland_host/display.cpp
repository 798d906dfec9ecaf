// The connection to the compositor, the globals bound from its registry,
// and the EGL context every surface is drawn with.
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "fault_report.h"
#include "renderer.h"
#include "wayland_host.h"

WaylandHostState waylandHostState;

static void OnRegistryGlobal(void*, wl_registry* registry, uint32_t name, const char* interface,
                             uint32_t version) {
  WaylandHostState& w = waylandHostState;
  auto bind = [&](const wl_interface* wanted, uint32_t highest) {
    return wl_registry_bind(registry, name, wanted, std::min(version, highest));
  };
  if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
    w.compositor = static_cast<wl_compositor*>(bind(&wl_compositor_interface, 4));
  } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
    w.layerShell = static_cast<zwlr_layer_shell_v1*>(bind(&zwlr_layer_shell_v1_interface, 1));
  } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0) {
    w.wmBase = static_cast<xdg_wm_base*>(bind(&xdg_wm_base_interface, 1));
  } else if (std::strcmp(interface, wp_viewporter_interface.name) == 0) {
    w.viewporter = static_cast<wp_viewporter*>(bind(&wp_viewporter_interface, 1));
  } else if (std::strcmp(interface, wp_fractional_scale_manager_v1_interface.name) == 0) {
    w.fractionalScaleManager =
        static_cast<wp_fractional_scale_manager_v1*>(bind(&wp_fractional_scale_manager_v1_interface, 1));
  } else if (std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0) {
    w.idleNotifier = static_cast<ext_idle_notifier_v1*>(bind(&ext_idle_notifier_v1_interface, 1));
  } else if (std::strcmp(interface, org_kde_kwin_idle_interface.name) == 0) {
    w.kdeIdle = static_cast<org_kde_kwin_idle*>(bind(&org_kde_kwin_idle_interface, 1));
  } else if (std::strcmp(interface, wl_seat_interface.name) == 0) {
    AddSeat(static_cast<wl_seat*>(bind(&wl_seat_interface, 5)), name);
  } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
    // Version 2 tells the output's scale.
    AddOutput(static_cast<wl_output*>(bind(&wl_output_interface, 2)), name);
  }
}

// Outputs and seats come and go.
static void OnRegistryGlobalRemove(void*, wl_registry*, uint32_t name) {
  RemoveOutput(name);
  RemoveSeat(name);
}

static const wl_registry_listener registryListener = {OnRegistryGlobal, OnRegistryGlobalRemove};

static void OnWmBasePing(void*, xdg_wm_base* wmBase, uint32_t serial) { xdg_wm_base_pong(wmBase, serial); }
static const xdg_wm_base_listener wmBaseListener = {OnWmBasePing};

// A config of exactly 8 bits a channel with a depth buffer: the first one
// offered may have 10 bits of colour, which some compositors show wrongly.
static bool ChooseConfig(EGLDisplay display, EGLConfig* chosen) {
  const EGLint wanted[] = {EGL_SURFACE_TYPE,
                           EGL_WINDOW_BIT,
                           EGL_RENDERABLE_TYPE,
                           EGL_OPENGL_BIT,
                           EGL_RED_SIZE,
                           8,
                           EGL_GREEN_SIZE,
                           8,
                           EGL_BLUE_SIZE,
                           8,
                           EGL_ALPHA_SIZE,
                           8,
                           EGL_DEPTH_SIZE,
                           16,
                           EGL_NONE};
  EGLConfig configs[64];
  EGLint count = 0;
  if (!eglChooseConfig(display, wanted, configs, 64, &count)) return false;
  for (EGLint i = 0; i < count; ++i) {
    EGLint red = 0, alpha = 0;
    eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &red);
    eglGetConfigAttrib(display, configs[i], EGL_ALPHA_SIZE, &alpha);
    if (red == 8 && alpha == 8) {
      *chosen = configs[i];
      return true;
    }
  }
  return false;
}

static bool OpenEgl() {
  WaylandHostState& w = waylandHostState;
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  w.eglDisplay = getPlatformDisplay ? getPlatformDisplay(EGL_PLATFORM_WAYLAND_EXT, w.display, nullptr)
                                    : eglGetDisplay(reinterpret_cast<EGLNativeDisplayType>(w.display));
  if (w.eglDisplay == EGL_NO_DISPLAY || !eglInitialize(w.eglDisplay, nullptr, nullptr))
    return Fail("no EGL for this compositor");
  if (!eglBindAPI(EGL_OPENGL_API)) return Fail("EGL offers no desktop OpenGL");
  if (!ChooseConfig(w.eglDisplay, &w.eglConfig))
    return Fail("EGL offers no 8-bit RGBA configuration with a depth buffer");
  // Any desktop context of version 2.1 or less is a compatibility one: the
  // scene is drawn with OpenGL 1.1's fixed functions.
  const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1, EGL_NONE};
  w.eglContext = eglCreateContext(w.eglDisplay, w.eglConfig, EGL_NO_CONTEXT, attributes);
  if (w.eglContext == EGL_NO_CONTEXT)
    return Fail("no OpenGL compatibility context (EGL error 0x%04x)", eglGetError());
  return true;
}

// Says why the compositor cannot be reached, naming where it was looked for.
static bool FailToConnect() {
  const char* socket = std::getenv("WAYLAND_SOCKET");
  if (socket && *socket) return Fail("the compositor's connection WAYLAND_SOCKET=%s cannot be used", socket);
  const char* name = std::getenv("WAYLAND_DISPLAY");
  if (!name || !*name) return Fail("WAYLAND_DISPLAY is not set, and no compositor answers at wayland-0");
  return Fail("the compositor at WAYLAND_DISPLAY=%s cannot be reached", name);
}

// Whether the compositor offers what the mode needs; says what is missing.
static bool ShellsOffered(WaylandMode mode) {
  const WaylandHostState& w = waylandHostState;
  if (!w.compositor) return Fail("the compositor offers no wl_compositor");
  if (mode == WaylandMode::kBackground && !w.layerShell)
    return Fail(
        "the compositor offers no layer shell (zwlr_layer_shell_v1), which a background needs; "
        "kelvaris-wayland --window draws in a window instead");
  if ((mode == WaylandMode::kWindow || !w.layerShell) && !w.wmBase)
    return Fail("the compositor offers no xdg-shell, for a window");
  return true;
}

static bool Connect(const WaylandOptions& options) {
  WaylandHostState& w = waylandHostState;
  const WaylandMode mode = options.mode;
  w.mode = mode;
  w.idleMilliseconds = options.idleMilliseconds;
  w.showing = !w.idleMilliseconds;
  w.display = wl_display_connect(nullptr);
  if (!w.display) return FailToConnect();
  // EGL first: the outputs announced below get their surfaces at once.
  if (!OpenEgl()) return false;
  w.registry = wl_display_get_registry(w.display);
  wl_registry_add_listener(w.registry, &registryListener, nullptr);
  // The globals, then what binding them sent (outputs' scales, the seats'
  // devices, the first configures).
  if (wl_display_roundtrip(w.display) < 0) return Fail("the compositor ended the connection");
  w.globalsKnown = true;
  if (!ShellsOffered(mode)) return false;
  if (w.idleMilliseconds && !StartIdleWatch()) return false;
  if (w.wmBase) xdg_wm_base_add_listener(w.wmBase, &wmBaseListener, nullptr);
  if (mode == WaylandMode::kWindow) {
    w.window.integerScale = 1;
    MakeToplevel(w.window, nullptr);
  } else {
    ShowOutputSurfaces(w.showing);
  }
  if (wl_display_roundtrip(w.display) < 0) return Fail("the compositor ended the connection");
  return true;
}

void CloseWaylandHost() {
  WaylandHostState& w = waylandHostState;
  for (Output& output : w.outputs)
    if (output.output) ReleaseOutput(output);
  ReleaseSurface(w.window);
  for (Seat& seat : w.seats)
    if (seat.seat) ReleaseSeat(seat);
  if (w.eglContext) {
    if (w.sceneReady && eglMakeCurrent(w.eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, w.eglContext))
      FreeSceneResources();
    eglMakeCurrent(w.eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(w.eglDisplay, w.eglContext);
  }
  if (w.eglDisplay) eglTerminate(w.eglDisplay);
  if (w.xkbContext) xkb_context_unref(w.xkbContext);
  CloseGnomeIdleWatch();
  if (w.idleNotifier) ext_idle_notifier_v1_destroy(w.idleNotifier);
  if (w.kdeIdle) org_kde_kwin_idle_destroy(w.kdeIdle);
  if (w.fractionalScaleManager) wp_fractional_scale_manager_v1_destroy(w.fractionalScaleManager);
  if (w.viewporter) wp_viewporter_destroy(w.viewporter);
  if (w.wmBase) xdg_wm_base_destroy(w.wmBase);
  if (w.layerShell) zwlr_layer_shell_v1_destroy(w.layerShell);
  if (w.compositor) wl_compositor_destroy(w.compositor);
  if (w.registry) wl_registry_destroy(w.registry);
  if (w.display) wl_display_disconnect(w.display);
  w = {};
}

bool OpenWaylandHost(const WaylandOptions& options) {
  if (Connect(options)) return true;
  CloseWaylandHost();
  return false;
}
