#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include "fault_report.h"
#include "renderer.h"
#include "x_host.h"

XHostState xHostState;
bool windowLost = false;

// The first X error caught since CatchXErrors, if any.
static bool xErrorCaught;
static XErrorEvent caughtXError;

// An error on the window comes when it goes away under the hack (its owner
// destroyed it), which ends the run quietly.
static int NoteXError(Display*, XErrorEvent* error) {
  if (error->resourceid == xHostState.window) windowLost = true;
  if (!xErrorCaught) caughtXError = *error;
  xErrorCaught = true;
  return 0;
}

void CatchXErrors() {
  xErrorCaught = false;
  XSetErrorHandler(NoteXError);
}

bool ReleaseXErrors() {
  XSync(xHostState.display, False);
  XSetErrorHandler(nullptr);
  return !xErrorCaught;
}

// The connection to the X server is gone (the server ended): nothing can
// be drawn or released any more, so the hack ends at once, quietly.
static int EndOnLostConnection(Display*) { _exit(1); }

// The visual with the given id, or null.
static XVisualInfo* VisualById(Display* display, VisualID id) {
  XVisualInfo wanted = {};
  wanted.visualid = id;
  int count = 0;
  return XGetVisualInfo(display, VisualIDMask, &wanted, &count);
}

// Whether the scene can be drawn on the visual: RGBA OpenGL, double
// buffered, with a depth buffer.
static bool DrawsTheScene(Display* display, XVisualInfo* visual) {
  int rgba = 0, depthBits = 0, doubleBuffered = 0;
  glXGetConfig(display, visual, GLX_RGBA, &rgba);
  glXGetConfig(display, visual, GLX_DEPTH_SIZE, &depthBits);
  glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &doubleBuffered);
  return rgba && depthBits && doubleBuffered;
}

// The deepest visual of the class on the screen that draws the scene, or null.
static XVisualInfo* DeepestOfClass(Display* display, int screen, int visualClass) {
  XVisualInfo wanted = {};
  wanted.screen = screen;
  wanted.c_class = visualClass;
  int count = 0;
  XVisualInfo* visuals = XGetVisualInfo(display, VisualScreenMask | VisualClassMask, &wanted, &count);
  const XVisualInfo* deepest = nullptr;
  for (int i = 0; i < count; ++i) {
    if (DrawsTheScene(display, &visuals[i]) && (!deepest || visuals[i].depth > deepest->depth))
      deepest = &visuals[i];
  }
  XVisualInfo* chosen = deepest ? VisualById(display, deepest->visualid) : nullptr;
  if (visuals) XFree(visuals);
  return chosen;
}

// The visual of a window of our own, as -visual asks: by default the best
// for OpenGL (RGBA, double-buffered, with depth), else the screen's default,
// the deepest of a class that draws the scene, or the one named by its id;
// the default and the named one are checked for OpenGL afterwards.
static XVisualInfo* ChooseOwnVisual(Display* display, const HackOptions& options) {
  const int screen = DefaultScreen(display);
  switch (options.visual) {
    case VisualChoice::kDefault:
      return VisualById(display, XVisualIDFromVisual(DefaultVisual(display, screen)));
    case VisualChoice::kClass:
      return DeepestOfClass(display, screen, options.visualClass);
    case VisualChoice::kId:
      return VisualById(display, options.visualId);
    case VisualChoice::kBest:
      break;
  }
  int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8,   GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE,
                      8,        GLX_DEPTH_SIZE,   16,           None};
  return glXChooseVisual(display, screen, attributes);
}

static Window MakeOwnWindow(Display* display, XVisualInfo* visual) {
  const Window root = RootWindow(display, visual->screen);
  XSetWindowAttributes attributes = {};
  attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
  attributes.background_pixel = BlackPixel(display, visual->screen);
  attributes.border_pixel = 0;
  const Window window =
      XCreateWindow(display, root, 0, 0, kDefaultWindowWidth, kDefaultWindowHeight, 0, visual->depth,
                    InputOutput, visual->visual, CWColormap | CWBackPixel | CWBorderPixel, &attributes);
  XStoreName(display, window, "Kelvaris");
  // Named and owned as desktops expect of a window: its class groups it and
  // picks its icon, its process id lets a window manager end a hung one.
  char name[] = "kelvaris", className[] = "Kelvaris";
  XClassHint classHint = {name, className};
  XSetClassHint(display, window, &classHint);
  const long pid = getpid();
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
  xHostState.deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, &xHostState.deleteWindow, 1);
  XMapWindow(display, window);
  return window;
}

// The visual the window was made with: XScreenSaver makes its windows with
// the visual it picked for OpenGL, so the context must take that one.
static XVisualInfo* VisualOfWindow(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return nullptr;
  return VisualById(display, XVisualIDFromVisual(attributes.visual));
}

// Says why nothing can be drawn, naming the display (or saying that none
// was named) and the error the X server gave, if one was caught.
static bool FailOnDisplay(XVisualInfo* visual, const char* displayName, const char* why) {
  if (visual) XFree(visual);
  const char* name = XDisplayName(displayName);
  if (!*name) return Fail("DISPLAY is not set, and no -display was given");
  if (!xErrorCaught) return Fail("display %s: %s", name, why);
  char error[128];
  XGetErrorText(xHostState.display, caughtXError.error_code, error, sizeof error);
  return Fail("display %s: %s (X error: %s)", name, why, error);
}

static bool OpenDisplayAndWindow(const HackOptions& options) {
  XHostState& x = xHostState;
  const char* name = options.displayName;
  x.display = XOpenDisplay(name);
  if (!x.display) return FailOnDisplay(nullptr, name, "cannot be opened");
  XSetIOErrorHandler(EndOnLostConnection);
  if (!glXQueryExtension(x.display, nullptr, nullptr)) {
    return FailOnDisplay(nullptr, name, "the X server has no OpenGL (GLX): nothing can be drawn");
  }

  // Another program's window may be gone, and the server may refuse a
  // window or context on a visual.
  CatchXErrors();
  XVisualInfo* visual = nullptr;
  x.ownWindow = options.target == DrawTarget::kOwnWindow;
  if (x.ownWindow) {
    visual = ChooseOwnVisual(x.display, options);
    if (!visual)
      return FailOnDisplay(nullptr, name, "no such visual, or none with OpenGL and a depth buffer");
    x.window = MakeOwnWindow(x.display, visual);
  } else {
    x.window = options.target == DrawTarget::kRoot ? DefaultRootWindow(x.display) : options.windowId;
    visual = VisualOfWindow(x.display, x.window);
    if (!visual) return FailOnDisplay(nullptr, name, "the window to draw in does not exist");
  }
  if (!DrawsTheScene(x.display, visual)) {
    return FailOnDisplay(visual, name, "the visual has no double-buffered RGBA OpenGL with a depth buffer");
  }
  x.context = glXCreateContext(x.display, visual, nullptr, True);
  XFree(visual);
  if (!x.context || !glXMakeCurrent(x.display, x.window, x.context)) {
    return FailOnDisplay(nullptr, name, "no OpenGL context for the window");
  }

  // Its size changes and its end come as events; key presses only matter in
  // a window of our own (another program's window belongs to that program).
  XSelectInput(x.display, x.window, StructureNotifyMask | (x.ownWindow ? KeyPressMask : 0));
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(x.display, x.window, &attributes) || !ReleaseXErrors())
    return FailOnDisplay(nullptr, name, "the window to draw in went away");
  // InitSceneGl sets the projection for this size.
  rendererState.clientWidth = attributes.width;
  rendererState.clientHeight = attributes.height;
  InitSceneGl();
  return true;
}

bool OpenGlWindow(const HackOptions& options) {
  if (OpenDisplayAndWindow(options)) return true;
  CloseGlWindow();
  return false;
}

void CloseGlWindow() {
  XHostState& x = xHostState;
  if (x.context) {
    FreeSceneResources();
    glXMakeCurrent(x.display, None, nullptr);
    glXDestroyContext(x.display, x.context);
  }
  if (x.ownWindow && !windowLost) XDestroyWindow(x.display, x.window);
  if (x.display) XCloseDisplay(x.display);
  x = {};
}
