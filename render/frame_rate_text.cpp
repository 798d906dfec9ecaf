#include "frame_rate_text.h"

#include "renderer.h"

// A 5x7 font: seven rows, top first; in each, bit 4 is the leftmost pixel.
struct Glyph {
  char character;
  unsigned char rows[7];
};

static const Glyph kGlyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}}, {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
};

static const Glyph* GlyphOf(char character) {
  for (const Glyph& glyph : kGlyphs)
    if (glyph.character == character) return &glyph;
  return nullptr;  // a space, or a character the rate never shows
}

static void Rectangle(int x, int y, int width, int height) {
  glVertex2i(x, y);
  glVertex2i(x + width, y);
  glVertex2i(x + width, y + height);
  glVertex2i(x, y + height);
}

void DrawFrameRateText(const char* text) {
  const int clientWidth = rendererState.clientWidth;
  const int clientHeight = rendererState.clientHeight;
  const int cell = FrameRateTextCell(clientHeight);
  const int advance = 6 * cell;
  int length = 0;
  while (text[length]) ++length;
  const int left = 5 * cell, bottom = 5 * cell, padding = 2 * cell;

  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_VIEWPORT_BIT | GL_TRANSFORM_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glViewport(0, 0, clientWidth, clientHeight);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0, clientWidth, 0, clientHeight);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();

  glBegin(GL_QUADS);
  // The backdrop keeps the text readable over the brightest part of the scene.
  glColor4f(0.0f, 0.0f, 0.0f, 0.6f);
  Rectangle(left - padding, bottom - padding, length * advance - cell + 2 * padding, 7 * cell + 2 * padding);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  for (int i = 0; i < length; ++i) {
    const Glyph* glyph = GlyphOf(text[i]);
    if (!glyph) continue;
    for (int row = 0; row < 7; ++row)
      for (int column = 0; column < 5; ++column)
        if (glyph->rows[row] & (0x10 >> column))
          Rectangle(left + i * advance + column * cell, bottom + (6 - row) * cell, cell, cell);
  }
  glEnd();

  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopAttrib();
}
