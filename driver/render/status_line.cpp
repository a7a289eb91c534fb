// The status line, drawn with stb's bitmap font: each glyph is a handful of
// untextured quads, so it needs no texture and no state beyond a colour.
#include "render/status_line.h"

#include <GL/gl.h>

#include "render/fill.h"
#include "state/editor_state.h"
#include "state/status_text.h"

// The header defines every function static; only the printer is used here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_easy_font.h>
#pragma GCC diagnostic pop

constexpr int StatusMargin = 4;      // from the window's left edge and the item bar's top, pixels
constexpr int StatusPadding = 3;     // around the text inside the strip
constexpr int StatusGlyphHeight = 7; // the font's capitals and digits
constexpr int StatusVertexBytes = 16;   // the font's vertex: x, y, z floats and four colour bytes
constexpr int StatusBytesPerChar = 400; // above the font's worst glyph (it averages about 270)

void drawStatusLine() {
  if (!editor.statusLineShown) return;
  char text[StatusTextSize];
  formatStatusText(text, sizeof text);
  static char vertices[StatusTextSize * StatusBytesPerChar];
  const int x = StatusMargin + StatusPadding;
  const int y = editor.panels[0].y - StatusMargin - StatusPadding - StatusGlyphHeight;
  const int quads = stb_easy_font_print(static_cast<float>(x), static_cast<float>(y), text, nullptr, vertices,
                                        sizeof vertices);

  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glColor3f(0.0f, 0.0f, 0.0f);
  fillRect(StatusMargin, y - StatusPadding, x + stb_easy_font_width(text) + StatusPadding,
           y + StatusGlyphHeight + StatusPadding);
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, StatusVertexBytes, vertices);
  glDrawArrays(GL_QUADS, 0, quads * 4);
  glDisableClientState(GL_VERTEX_ARRAY);
}
