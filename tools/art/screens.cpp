// screens.cpp: the pictures around the board: background, level-complete
// panel and mouse pointer.
#include "tools/art/font.h"
#include "tools/art/pictures.h"

namespace art {

// The background: a quilt of low diamonds lit from the upper left, dark and
// calm so the board stands out. 80 x 80 divides 640 x 480.
Canvas DrawBackground() {
  const int size = 80;
  const int pitch = 40;
  const float pi = 3.14159265f;
  Canvas canvas(size, size);
  for (int y = 0; y < size; y++) {
    for (int x = 0; x < size; x++) {
      const int u = (x + y) % pitch;
      const int v = ((x - y) % pitch + pitch) % pitch;
      // The slope of a cushion towards the light decides its brightness.
      const float slope = std::cos(pi * (u + 0.5f) / pitch) * std::sin(pi * (v + 0.5f) / pitch);
      float light = 1 + 0.16f * slope + 0.03f * SmoothNoise(x, y, 10, 8, 70);
      if (u == 0 || v == 0) {
        light = 0.78f;
      }
      canvas.Set(x, y, Shade(NIGHT, light));
    }
  }
  return canvas;
}

namespace {

// Draws lettering centred on (cx, cy) with a drop shadow down and right,
// shaded from `upper` at its top to `lower` at its bottom. The letters' soft
// edges blend with the panel already drawn there.
void DrawLettering(Canvas& canvas, const Lettering& l, int cx, int cy, int shadow, Colour upper,
                   Colour lower) {
  const int left = cx - l.width / 2;
  const int top = cy - l.height / 2;
  for (int pass = 0; pass < 2; pass++) {
    const int dx = pass == 0 ? shadow : 0;
    for (int y = 0; y < l.height; y++) {
      for (int x = 0; x < l.width; x++) {
        const Colour c =
            pass == 0 ? SHADOW : Mix(upper, lower, static_cast<float>(y) / (l.height - 1));
        canvas.Paint(left + x + dx, top + y + dx, c, l.At(x, y));
      }
    }
  }
}

// A five-pointed star, the level's reward, with its shadow down and right.
void DrawStar(Canvas& canvas, float cx, float cy, float radius) {
  const float pi = 3.14159265f;
  float xs[10], ys[10];
  for (int i = 0; i < 10; i++) {
    const float r = i % 2 ? radius * 0.42f : radius;
    const float angle = -pi / 2 + i * pi / 5;
    xs[i] = cx + r * std::cos(angle);
    ys[i] = cy + r * std::sin(angle);
  }
  // Even-odd rule: a point is inside when a ray to its right crosses the
  // outline an odd number of times.
  auto inside = [&](float x, float y) {
    bool in = false;
    for (int i = 0, j = 9; i < 10; j = i++) {
      if ((ys[i] > y) != (ys[j] > y) &&
          x < xs[j] + (xs[i] - xs[j]) * (y - ys[j]) / (ys[i] - ys[j])) {
        in = !in;
      }
    }
    return in;
  };
  FillArea(
      canvas, cx - radius, cy - radius, cx + radius + 3, cy + radius + 3,
      [&](float x, float y) { return inside(x - 2, y - 2); }, [](float, float) { return SHADOW; });
  FillArea(canvas, cx - radius, cy - radius, cx + radius + 1, cy + radius + 1, inside,
           [&](float x, float y) {
             return Shade(AMBER, 1.15f - 0.3f * ((x - cx) + (y - cy)) / (2 * radius));
           });
}

}  // namespace

// The level-complete panel with its shadow: 524 x 180 drawn at (58, 150) sits
// in the middle of the 640 x 480 screen.
Canvas DrawWin(const Type& type) {
  const int width = 524;
  const int height = 180;
  const int drop = 6;
  const int panelW = width - drop;
  const int panelH = height - drop;
  Canvas canvas(width, height);
  const Shape outer = RoundRect(0, 0, panelW, panelH, 18);
  const Shape border = RoundRect(4, 4, panelW - 4, panelH - 4, 14);
  const Shape inner = RoundRect(8, 8, panelW - 8, panelH - 8, 10);
  // Without blending on the screen a shadow is a solid dark shape.
  for (int y = drop; y < height; y++) {
    for (int x = drop; x < width; x++) {
      if (outer.Inside(x - drop + 0.5f, y - drop + 0.5f)) {
        canvas.Set(x, y, SHADOW);
      }
    }
  }
  FillArea(
      canvas, 0, 0, panelW, panelH, [&](float x, float y) { return outer.Inside(x, y); },
      [](float, float) { return OUTLINE; });
  FillArea(
      canvas, 0, 0, panelW, panelH, [&](float x, float y) { return border.Inside(x, y); },
      [&](float x, float y) { return Shade(AMBER, 1.1f - 0.35f * (x / panelW + y / panelH) / 2); });
  FillArea(
      canvas, 0, 0, panelW, panelH, [&](float x, float y) { return inner.Inside(x, y); },
      [&](float, float y) { return Mix(Shade(NIGHT, 1.5f), Shade(NIGHT, 0.8f), y / panelH); });

  DrawLettering(canvas, type.Set("LEVEL COMPLETE", 38), panelW / 2, 56, 3, PALE, AMBER);
  FillRect(canvas, 60, 101, panelW - 60, 102, Shade(AMBER, 0.8f));
  FillRect(canvas, 60, 102, panelW - 60, 103, SHADOW);
  DrawStar(canvas, 36, 56, 16);
  DrawStar(canvas, panelW - 37, 56, 16);
  DrawLettering(canvas, type.Set("Space: next level", 24), panelW / 2, 134, 2, TEXT,
                Shade(TEXT, 0.8f));
  return canvas;
}

// The mouse pointer: an arrow whose tip is the top-left pixel. The screen
// cannot blend, so its shadow is solid: a dark grey, lighter than the outline
// so that it reads as shadow rather than a thicker outline, and offset more
// to the right than down so that it shows along the arrow's slanted edge too.
Canvas DrawCursor() {
  static const char* const ARROW[] = {
      "X",         "XX",        "XoX",        "XooX",        "XoooX",        "XooooX",   "XoooooX",
      "XooooooX",  "XoooooooX", "XooooooooX", "XoooooooooX", "XooooooXXXXX", "XoooXooX", "XooXXooX",
      "XoX  XooX", "XX   XooX", "X     XooX", "      XooX",  "       XX",
  };
  Canvas canvas(16, 24);
  const int rows = static_cast<int>(sizeof ARROW / sizeof ARROW[0]);
  for (int pass = 0; pass < 2; pass++) {
    for (int y = 0; y < rows; y++) {
      for (int x = 0; ARROW[y][x]; x++) {
        const char p = ARROW[y][x];
        if (p == ' ') {
          continue;
        }
        if (pass == 0) {
          canvas.Set(x + 2, y + 1, Rgb(48, 44, 60));
        } else if (p == 'X') {
          canvas.Set(x, y, OUTLINE);
        } else {
          canvas.Set(x, y, Mix(Rgb(255, 255, 255), Rgb(196, 204, 220), (x + y) / 24.0f));
        }
      }
    }
  }
  return canvas;
}

// The glyph sheet: light glyphs, each with a one-pixel shadow down and right
// so that text stays readable over light parts of the board.
Canvas DrawFontSheet(const CellFont& font) {
  Canvas canvas(16 * GLYPH_W, 16 * GLYPH_H);
  for (int c = 0; c < 256; c++) {
    const bool printable = (c >= 32 && c <= 126) || c >= 160;
    if (!printable) {
      continue;
    }
    const int left = c % 16 * GLYPH_W;
    const int top = c / 16 * GLYPH_H;
    for (int y = 0; y < GLYPH_H; y++) {
      for (int x = 0; x < GLYPH_W; x++) {
        if (font.At(c, x, y)) {
          canvas.Set(left + x, top + y, TEXT);
        } else if (x > 0 && y > 0 && font.At(c, x - 1, y - 1)) {
          canvas.Set(left + x, top + y, SHADOW);
        }
      }
    }
  }
  return canvas;
}

}  // namespace art
