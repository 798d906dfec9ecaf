#include <cstdio>
#include <cstring>

#include "renderer.h"
#include "x_host.h"

// The glyphs of X's "fixed" font as display lists, one per character from
// ' ' to '~', and the rate shown, recounted once a second.
struct FrameRateState {
  GLuint glyphLists;
  int fontHeight;
  long long countSince;  // nanoseconds
  int framesCounted;
  char text[32];
};

static FrameRateState frameRateState;

static const int kFirstGlyph = ' ';
static const int kGlyphCount = '~' - ' ' + 1;

bool InitFrameRate() {
  FrameRateState& f = frameRateState;
  XFontStruct* font = XLoadQueryFont(xHostState.display, "fixed");
  if (!font) return false;
  f.glyphLists = glGenLists(kGlyphCount);
  glXUseXFont(font->fid, kFirstGlyph, kGlyphCount, f.glyphLists);
  f.fontHeight = font->ascent + font->descent;
  XFreeFont(xHostState.display, font);
  std::snprintf(f.text, sizeof f.text, "FPS: ...");
  return true;
}

void DrawFrameRate(long long now) {
  FrameRateState& f = frameRateState;
  if (!f.glyphLists) return;
  if (f.countSince == 0) f.countSince = now;
  ++f.framesCounted;
  if (now - f.countSince >= 1000000000LL) {
    std::snprintf(f.text, sizeof f.text, "FPS: %.1f", f.framesCounted * 1e9 / (now - f.countSince));
    f.countSince = now;
    f.framesCounted = 0;
  }

  // White text in window pixels, over the scene, leaving the scene's own
  // matrices and state as they were.
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIST_BIT | GL_VIEWPORT_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glViewport(0, 0, rendererState.clientWidth, rendererState.clientHeight);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0, rendererState.clientWidth, 0, rendererState.clientHeight);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glColor3f(1.0f, 1.0f, 1.0f);
  glRasterPos2i(10, 10 + f.fontHeight / 4);
  glListBase(f.glyphLists - kFirstGlyph);
  glCallLists(static_cast<GLsizei>(std::strlen(f.text)), GL_UNSIGNED_BYTE, f.text);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

void FreeFrameRate() {
  FrameRateState& f = frameRateState;
  if (f.glyphLists) glDeleteLists(f.glyphLists, kGlyphCount);
  f = {};
}
