#include <cstring>
#include <vector>

#include "frame_clock.h"
#include "renderer.h"
#include "x_host.h"

// The frame rate, recounted once a second, as the X server's "fixed" font
// draws it into a one-bit pixmap; shown at twice that size, so that it
// reads at a glance as the hacks' rates do, in white over the scene.
struct FrameRateState {
  XFontStruct* font;
  Pixmap bitmap;
  GC gc;
  int width, height;            // of the bitmap: room for the longest text
  std::vector<GLubyte> pixels;  // luminance and alpha, bottom row first, for glDrawPixels
  int textWidth;
  long long countSince;  // nanoseconds
  int framesCounted;
};

static FrameRateState frameRateState;

static const int kZoom = 2;
static const int kLongestText = 24;

// Draws text into the bitmap and reads it back as white pixels whose alpha
// is the text.
static void RenderText(const char* text) {
  FrameRateState& f = frameRateState;
  Display* display = xHostState.display;
  const int length = static_cast<int>(std::strlen(text));
  XSetForeground(display, f.gc, 0);
  XFillRectangle(display, f.bitmap, f.gc, 0, 0, f.width, f.height);
  XSetForeground(display, f.gc, 1);
  XDrawString(display, f.bitmap, f.gc, 0, f.font->ascent, text, length);
  XImage* image = XGetImage(display, f.bitmap, 0, 0, f.width, f.height, 1, XYPixmap);
  if (!image) return;
  f.textWidth = XTextWidth(f.font, text, length);
  for (int y = 0; y < f.height; ++y) {
    for (int x = 0; x < f.width; ++x) {
      GLubyte* pixel = &f.pixels[2 * ((f.height - 1 - y) * f.width + x)];
      pixel[0] = 255;
      pixel[1] = XGetPixel(image, x, y) ? 255 : 0;
    }
  }
  XDestroyImage(image);
}

bool InitFrameRate() {
  FrameRateState& f = frameRateState;
  Display* display = xHostState.display;
  f.font = XLoadQueryFont(display, "fixed");
  if (!f.font) return false;
  f.width = kLongestText * f.font->max_bounds.width;
  f.height = f.font->ascent + f.font->descent;
  f.bitmap = XCreatePixmap(display, xHostState.window, f.width, f.height, 1);
  f.gc = XCreateGC(display, f.bitmap, 0, nullptr);
  XSetFont(display, f.gc, f.font->fid);
  f.pixels.assign(2 * f.width * f.height, 0);
  RenderText("FPS: ...");
  return true;
}

void DrawFrameRate(long long now) {
  FrameRateState& f = frameRateState;
  if (!f.font) return;
  if (f.countSince == 0) f.countSince = now;
  ++f.framesCounted;
  if (now - f.countSince >= 1000000000LL) {
    char text[kLongestText + 1];
    FormatFrameRate(f.framesCounted, now - f.countSince, text, sizeof text);
    RenderText(text);
    f.countSince = now;
    f.framesCounted = 0;
  }

  // In window pixels, over the scene, leaving the scene's own matrices and
  // state as they were.
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_PIXEL_MODE_BIT | GL_VIEWPORT_BIT);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.5f);
  glViewport(0, 0, rendererState.clientWidth, rendererState.clientHeight);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0, rendererState.clientWidth, 0, rendererState.clientHeight);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glRasterPos2i(10, 10);
  glPixelZoom(kZoom, kZoom);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, f.width);
  glDrawPixels(f.textWidth, f.height, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, f.pixels.data());
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopClientAttrib();
  glPopAttrib();
}

void FreeFrameRate() {
  FrameRateState& f = frameRateState;
  if (!f.font) return;
  XFreeGC(xHostState.display, f.gc);
  XFreePixmap(xHostState.display, f.bitmap);
  XFreeFont(xHostState.display, f.font);
  f = {};
}
