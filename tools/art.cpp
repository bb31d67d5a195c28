// art.cpp: draws the game's nine pictures from code and writes them as BMP files.
//
// Usage: velm2-art OUTDIR. Every picture is drawn here, with one palette and one
// light, from the upper left. The glyphs of the font sheet come from the
// public-domain misc-fixed 7x14 font that Debian ships in xfonts-base, read at
// run time. The same build writes the same bytes on every run, so the pictures
// in data/ can be checked against this program (tests/art_sync.sh).
#include <SDL/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- colours

struct Colour {
  float r, g, b;
};

Colour Rgb(int r, int g, int b) {
  return {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
}

Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Shade(Colour c, float factor) {
  return {c.r * factor, c.g * factor, c.b * factor};
}

// The palette shared by all pictures.
const Colour OUTLINE = Rgb(30, 22, 28);
const Colour SHADOW = Rgb(16, 14, 24);
const Colour NIGHT = Rgb(30, 36, 60);
const Colour STONE = Rgb(150, 160, 184);
const Colour MORTAR = Rgb(74, 78, 100);
const Colour SAND = Rgb(118, 100, 82);
const Colour GROUT = Rgb(66, 54, 46);
const Colour WOOD = Rgb(198, 128, 62);
const Colour WOOD_DARK = Rgb(92, 50, 26);
const Colour STEEL = Rgb(88, 150, 212);
const Colour STEEL_DARK = Rgb(28, 48, 92);
const Colour AMBER = Rgb(250, 192, 64);
const Colour PALE = Rgb(255, 240, 170);
const Colour TEXT = Rgb(240, 236, 222);
const Colour SKIN = Rgb(238, 186, 144);
const Colour HAIR = Rgb(96, 58, 34);
const Colour TUNIC = Rgb(210, 58, 54);
const Colour TROUSERS = Rgb(62, 78, 130);
const Colour SHOES = Rgb(58, 40, 34);
const Colour LEATHER = Rgb(150, 98, 54);

// Sides of a block turn away from the light: the east side more than the south.
const float EAST_LIGHT = 0.56f;
const float SOUTH_LIGHT = 0.74f;

// Integer hash noise in [-1, 1]: the same on every run.
float Noise(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xffff) / 32767.5f - 1.0f;
}

// Smooth noise on a lattice `cell` pixels apart that repeats after `period`
// lattice points, so textures built from it tile.
float SmoothNoise(float x, float y, float cell, int period, int seed) {
  const float fx = x / cell;
  const float fy = y / cell;
  const int x0 = static_cast<int>(std::floor(fx));
  const int y0 = static_cast<int>(std::floor(fy));
  const float tx = fx - x0;
  const float ty = fy - y0;
  const float sx = tx * tx * (3 - 2 * tx);
  const float sy = ty * ty * (3 - 2 * ty);
  auto at = [&](int ix, int iy) {
    return Noise(((ix % period) + period) % period, ((iy % period) + period) % period, seed);
  };
  const float top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
  const float bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
  return top + (bottom - top) * sy;
}

// ---------------------------------------------------------------- canvas

// A picture being drawn: colour and coverage per pixel. Coverage only decides,
// when the picture is written, which pixels become transparent magenta.
struct Canvas {
  Canvas(int width, int height)
      : width(width),
        height(height),
        colour(width * height, Colour{0, 0, 0}),
        cover(width * height, 0.0f) {}

  // Lays a colour over what is there with the given opacity.
  void Paint(int x, int y, Colour c, float alpha) {
    if (x < 0 || y < 0 || x >= width || y >= height || alpha <= 0) {
      return;
    }
    const int i = y * width + x;
    const float below = cover[i] * (1 - alpha);
    const float total = alpha + below;
    const Colour old = colour[i];
    colour[i] = {(c.r * alpha + old.r * below) / total, (c.g * alpha + old.g * below) / total,
                 (c.b * alpha + old.b * below) / total};
    cover[i] = total;
  }
  void Set(int x, int y, Colour c) { Paint(x, y, c, 1); }
  bool Covered(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height && cover[y * width + x] >= 0.5f;
  }
  // Lays another canvas over this one with its top-left corner at (left, top).
  void Place(const Canvas& other, int left, int top) {
    for (int y = 0; y < other.height; y++) {
      for (int x = 0; x < other.width; x++) {
        const int i = y * other.width + x;
        Paint(left + x, top + y, other.colour[i], other.cover[i]);
      }
    }
  }

  int width;
  int height;
  std::vector<Colour> colour;
  std::vector<float> cover;
};

// Fills whatever `inside` holds within the box, 4 x 4 samples per pixel so that
// edges between shapes are smooth; `colourAt` is asked at pixel centres.
template <typename Inside, typename ColourAt>
void FillArea(Canvas& canvas, float x0, float y0, float x1, float y1, Inside inside,
              ColourAt colourAt) {
  for (int py = static_cast<int>(std::floor(y0)); py < static_cast<int>(std::ceil(y1)); py++) {
    for (int px = static_cast<int>(std::floor(x0)); px < static_cast<int>(std::ceil(x1)); px++) {
      int hits = 0;
      for (int sy = 0; sy < 4; sy++) {
        for (int sx = 0; sx < 4; sx++) {
          hits += inside(px + (sx + 0.5f) / 4, py + (sy + 0.5f) / 4) ? 1 : 0;
        }
      }
      if (hits) {
        canvas.Paint(px, py, colourAt(px + 0.5f, py + 0.5f), hits / 16.0f);
      }
    }
  }
}

// The round shapes that figures are built from; each can grow by an outline.
struct Shape {
  enum Kind { ELLIPSE, CAPSULE, ROUND_RECT };
  Kind kind;
  float a, b, c, d, r;  // centre and radii; segment and radius; corners and radius

  bool Inside(float x, float y) const {
    switch (kind) {
      case ELLIPSE: {
        const float dx = (x - a) / c;
        const float dy = (y - b) / d;
        return dx * dx + dy * dy <= 1;
      }
      case CAPSULE: {
        const float vx = c - a;
        const float vy = d - b;
        const float length = vx * vx + vy * vy;
        const float t =
            length > 0 ? std::clamp(((x - a) * vx + (y - b) * vy) / length, 0.0f, 1.0f) : 0.0f;
        const float dx = x - (a + vx * t);
        const float dy = y - (b + vy * t);
        return dx * dx + dy * dy <= r * r;
      }
      case ROUND_RECT: {
        const float dx = x - std::clamp(x, a + r, c - r);
        const float dy = y - std::clamp(y, b + r, d - r);
        return x >= a && x <= c && y >= b && y <= d && dx * dx + dy * dy <= r * r;
      }
    }
    return false;
  }
  Shape Grown(float by) const {
    switch (kind) {
      case ELLIPSE:
        return {kind, a, b, c + by, d + by, r};
      case CAPSULE:
        return {kind, a, b, c, d, r + by};
      case ROUND_RECT:
        return {kind, a - by, b - by, c + by, d + by, r + by};
    }
    return *this;
  }
  float Left() const { return kind == ELLIPSE ? a - c : kind == CAPSULE ? std::min(a, c) - r : a; }
  float Top() const { return kind == ELLIPSE ? b - d : kind == CAPSULE ? std::min(b, d) - r : b; }
  float Right() const { return kind == ELLIPSE ? a + c : kind == CAPSULE ? std::max(a, c) + r : c; }
  float Bottom() const {
    return kind == ELLIPSE ? b + d : kind == CAPSULE ? std::max(b, d) + r : d;
  }
};

Shape Ellipse(float cx, float cy, float rx, float ry) {
  return {Shape::ELLIPSE, cx, cy, rx, ry, 0};
}
Shape Capsule(float x0, float y0, float x1, float y1, float radius) {
  return {Shape::CAPSULE, x0, y0, x1, y1, radius};
}
Shape RoundRect(float x0, float y0, float x1, float y1, float radius) {
  return {Shape::ROUND_RECT, x0, y0, x1, y1, radius};
}

// A rounded part lit from the upper left: brighter towards that side.
Colour LitAt(const Shape& shape, Colour base, float x, float y) {
  const float halfW = std::max(0.5f, (shape.Right() - shape.Left()) / 2);
  const float halfH = std::max(0.5f, (shape.Bottom() - shape.Top()) / 2);
  const float nx = (x - (shape.Left() + halfW)) / halfW;
  const float ny = (y - (shape.Top() + halfH)) / halfH;
  return Shade(base, 1.0f - 0.16f * (nx + ny));
}

void Fill(Canvas& canvas, const Shape& shape, Colour colour) {
  FillArea(
      canvas, shape.Left(), shape.Top(), shape.Right(), shape.Bottom(),
      [&](float x, float y) { return shape.Inside(x, y); },
      [&](float x, float y) { return LitAt(shape, colour, x, y); });
}

// A part of a figure: a dark rim one pixel wide, then the lit part inside it.
void Part(Canvas& canvas, const Shape& shape, Colour colour) {
  const Shape rim = shape.Grown(1);
  FillArea(
      canvas, rim.Left(), rim.Top(), rim.Right(), rim.Bottom(),
      [&](float x, float y) { return rim.Inside(x, y); }, [&](float, float) { return OUTLINE; });
  Fill(canvas, shape, colour);
}

void FillRect(Canvas& canvas, int x0, int y0, int x1, int y1, Colour colour) {
  for (int y = y0; y < y1; y++) {
    for (int x = x0; x < x1; x++) {
      canvas.Set(x, y, colour);
    }
  }
}

// A soft shadow: every other pixel of an ellipse, so the ground shows through.
void DitheredShadow(Canvas& canvas, int left, int top, float cx, float cy, float rx, float ry) {
  for (int y = static_cast<int>(cy - ry); y <= static_cast<int>(cy + ry); y++) {
    for (int x = static_cast<int>(cx - rx); x <= static_cast<int>(cx + rx); x++) {
      const float dx = (x + 0.5f - cx) / rx;
      const float dy = (y + 0.5f - cy) / ry;
      if (dx * dx + dy * dy <= 1 && ((x + y) & 1) == 0) {
        canvas.Set(left + x, top + y, SHADOW);
      }
    }
  }
}

// ---------------------------------------------------------------- writing

// The game shows everything at 16 bits per pixel, which would band smooth
// shading into steps. Ordered dithering to 5-6-5 levels keeps the shading, and
// writing each level as its exact 8-bit value makes the file look as it will
// on the screen.
const int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

Uint8 ToLevel(float value, int bits, float threshold) {
  const int top = (1 << bits) - 1;
  int level = static_cast<int>(std::floor(value / (256 >> bits) + threshold));
  level = std::clamp(level, 0, top);
  return static_cast<Uint8>((level << (8 - bits)) | (level >> (2 * bits - 8)));
}

// Writes a 24-bit BMP: covered pixels in their colour, the rest pure magenta.
// No covered pixel may become magenta, or it would turn transparent.
bool Save(const Canvas& canvas, bool dither, const std::string& path) {
  SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, canvas.width, canvas.height, 24,
                                              0xff0000, 0x00ff00, 0x0000ff, 0);
  if (!surface) {
    printf("ERROR velm2-art: can't create a picture for %s. %s\n", path.c_str(), SDL_GetError());
    return false;
  }
  for (int y = 0; y < canvas.height; y++) {
    Uint8* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
    for (int x = 0; x < canvas.width; x++) {
      const int i = y * canvas.width + x;
      Uint8 r = 255, g = 0, b = 255;
      if (canvas.cover[i] >= 0.5f) {
        const float threshold = dither ? (BAYER[y & 3][x & 3] + 0.5f) / 16 : 0.5f;
        const Colour c = canvas.colour[i];
        r = ToLevel(c.r, 5, threshold);
        g = ToLevel(c.g, 6, threshold);
        b = ToLevel(c.b, 5, threshold);
        if (r == 255 && g == 0 && b == 255) {
          g = 4;
        }
      }
      row[3 * x] = b;
      row[3 * x + 1] = g;
      row[3 * x + 2] = r;
    }
  }
  const bool saved = SDL_SaveBMP(surface, path.c_str()) == 0;
  SDL_FreeSurface(surface);
  if (!saved) {
    printf("ERROR velm2-art: can't write %s. %s\n", path.c_str(), SDL_GetError());
  }
  return saved;
}

// ---------------------------------------------------------------- blocks

const int FRAME = 62;
const int BODY = 48;
const int RIM = 14;

// Which face of a block a pixel of an object frame shows. The top face is the
// 48 x 48 square at the upper left; the east and south sides are the
// parallelograms joining its right and bottom edges to the footprint, 14 pixels
// further down and right. On a side, `along` runs along the top face's edge and
// `depth` from that edge (0) down to the ground (13). The pixels of the
// vertical edge where both sides meet are the corner.
enum Face { FACE_NONE, FACE_TOP, FACE_EAST, FACE_SOUTH, FACE_CORNER };

struct FacePoint {
  Face face;
  int along;
  int depth;
};

FacePoint FaceAt(int x, int y) {
  if (x < BODY && y < BODY) {
    return {FACE_TOP, x, y};
  }
  if (x >= BODY && y >= BODY && x == y) {
    return {FACE_CORNER, BODY - 1, x - BODY};
  }
  if (x >= BODY) {
    const int u = x - BODY;
    if (y >= u && y < BODY + u) {
      return {FACE_EAST, y - u, u};
    }
  }
  if (y >= BODY) {
    const int v = y - BODY;
    if (x >= v && x < BODY + v) {
      return {FACE_SOUTH, x - v, v};
    }
  }
  return {FACE_NONE, 0, 0};
}

// Draws one object frame: `topAt(x, y)` colours the top face, `sideAt(along,
// depth)` the material of both sides, which are then shaded by how far they
// turn from the light and darkened towards the ground.
template <typename TopAt, typename SideAt>
void DrawBlock(Canvas& canvas, int left, int top, TopAt topAt, SideAt sideAt) {
  for (int y = 0; y < FRAME; y++) {
    for (int x = 0; x < FRAME; x++) {
      const FacePoint p = FaceAt(x, y);
      const float ground = 1.0f - 0.22f * p.depth / (RIM - 1);
      switch (p.face) {
        case FACE_NONE:
          break;
        case FACE_TOP:
          canvas.Set(left + x, top + y, topAt(x, y));
          break;
        case FACE_EAST:
          canvas.Set(left + x, top + y, Shade(sideAt(p.along, p.depth), EAST_LIGHT * ground));
          break;
        case FACE_SOUTH:
          canvas.Set(left + x, top + y, Shade(sideAt(p.along, p.depth), SOUTH_LIGHT * ground));
          break;
        case FACE_CORNER:
          canvas.Set(left + x, top + y,
                     Shade(sideAt(p.along, p.depth), (EAST_LIGHT + SOUTH_LIGHT) / 2 * ground));
          break;
      }
    }
  }
}

// ---------------------------------------------------------------- wall

// Stone bricks 24 x 12 in staggered courses. The pattern repeats every 24
// pixels both ways, so walls join without a seam whether they stand a whole or
// half a block apart; half bricks at the edges meet their other halves.
const int BRICK_W = 24;
const int BRICK_H = 12;

Colour WallTop(int x, int y) {
  const int course = y / BRICK_H;
  const int shifted = x + (course % 2 ? BRICK_W / 2 : 0);
  const int bx = shifted % BRICK_W;
  const int by = y % BRICK_H;
  // Mortar is one pixel on each side of a joint, so joints between blocks
  // are as wide as joints within one.
  if (bx == 0 || bx == BRICK_W - 1 || by == 0 || by == BRICK_H - 1) {
    return Shade(MORTAR, 1 + 0.05f * Noise(x % BRICK_W, y % BRICK_W, 3));
  }
  const int key = (shifted / BRICK_W) % 2 + 2 * (course % 2);
  float light = 1 + 0.07f * Noise(key, 0, 1) + 0.05f * SmoothNoise(bx, by, 3, 8, 10 + key) +
                0.03f * Noise(bx, by, 20 + key);
  if (bx == 1 || by == 1) {
    light += 0.14f;
  } else if (bx == BRICK_W - 2 || by == BRICK_H - 2) {
    light -= 0.2f;
  }
  return Shade(STONE, light);
}

Colour WallSide(int along, int depth) {
  const int course = depth / 7;
  const int bx = (along + (course ? BRICK_W / 2 : 0)) % BRICK_W;
  if (depth == 6 || bx == 0 || bx == BRICK_W - 1) {
    return MORTAR;
  }
  float light = 1 + 0.04f * Noise(along, depth, 30);
  if (depth == 0 || depth == 7) {
    light += 0.1f;
  }
  return Shade(STONE, light);
}

Canvas DrawWall() {
  Canvas canvas(FRAME, FRAME);
  DrawBlock(canvas, 0, 0, WallTop, WallSide);
  return canvas;
}

// ---------------------------------------------------------------- box

struct BoxPaint {
  Colour base;
  Colour dark;
};

// A crate lid: a frame of boards round three planks, a diagonal brace, nails.
Colour BoxTop(const BoxPaint& paint, int x, int y) {
  const int edge = std::min(std::min(x, y), std::min(BODY - 1 - x, BODY - 1 - y));
  if (edge == 0) {
    return paint.dark;
  }
  const bool across = std::min(y, BODY - 1 - y) <= std::min(x, BODY - 1 - x);
  float light = 1;
  float grain = 0;
  if (edge <= 6) {
    // Frame boards, mitred at the corners.
    const int inner = edge;
    if (inner == 6) {
      return Shade(paint.dark, 1.1f);
    }
    if (x - y == 0 || x + y == BODY - 1) {
      return Shade(paint.dark, 1.3f);
    }
    grain = across ? SmoothNoise(x, y * 5, 9, 16, 40) : SmoothNoise(x * 5, y, 9, 16, 41);
    light = 1.08f;
    if ((across && y < BODY / 2) || (!across && x < BODY / 2)) {
      light += inner == 1 ? 0.16f : 0;
    }
    if ((across && y >= BODY / 2) || (!across && x >= BODY / 2)) {
      light -= inner == 5 ? 0.16f : 0;
    }
    // Nails where the boards cross.
    const int nx = x < BODY / 2 ? 3 : BODY - 4;
    const int ny = y < BODY / 2 ? 3 : BODY - 4;
    if ((x == nx || x == nx + 1) && (y == ny || y == ny + 1)) {
      return x == nx && y == ny ? Shade(paint.base, 1.5f) : Shade(paint.dark, 0.9f);
    }
  } else if (std::abs(x - y) <= 5) {
    // The brace, lying on the planks.
    if (std::abs(x - y) == 5) {
      return Shade(paint.dark, x > y ? 1.0f : 1.4f);
    }
    grain = SmoothNoise((x + y) * 2.0f, (x - y) * 6.0f, 9, 16, 42);
    light = 1.04f + (x < y ? 0.05f : -0.04f);
  } else {
    // Planks, 11 pixels wide with dark gaps.
    const int py = (y - 7) % 11;
    if (py == 10) {
      return Shade(paint.dark, 1.1f);
    }
    grain = SmoothNoise(x, y * 5.0f, 9, 16, 43 + (y - 7) / 11);
    light = 0.9f + (py == 0 ? 0.1f : 0) - (py == 9 ? 0.1f : 0);
  }
  return Shade(paint.base, light + 0.07f * grain + 0.02f * Noise(x, y, 44));
}

// Crate sides: corner posts at both ends, two boards between them.
Colour BoxSide(const BoxPaint& paint, int along, int depth) {
  if (depth == 0 || depth == RIM - 1 || depth == 7) {
    return Shade(paint.dark, 1.2f);
  }
  if (along <= 4 || along >= BODY - 5) {
    if (along == 4 || along == BODY - 5) {
      return Shade(paint.dark, 1.2f);
    }
    return Shade(paint.base, 1.08f);
  }
  return Shade(paint.base, 0.94f + 0.06f * SmoothNoise(along, depth * 4.0f, 7, 16, 45));
}

// The mark of a box resting on a place: a check in a round badge, so the
// state shows by shape as well as by colour.
void DrawCheckBadge(Canvas& canvas, int left, int top) {
  const float cx = left + BODY / 2.0f;
  const float cy = top + BODY / 2.0f;
  Part(canvas, Ellipse(cx, cy, 11, 11), STEEL_DARK);
  const Shape stroke1 = Capsule(cx - 6, cy + 0.5f, cx - 2, cy + 4.5f, 2.2f);
  const Shape stroke2 = Capsule(cx - 2, cy + 4.5f, cx + 6, cy - 5, 2.2f);
  for (const Shape& s : {stroke1, stroke2}) {
    const Shape rim = s.Grown(1);
    FillArea(
        canvas, rim.Left(), rim.Top(), rim.Right(), rim.Bottom(),
        [&](float x, float y) { return rim.Inside(x, y); }, [](float, float) { return OUTLINE; });
  }
  for (const Shape& s : {stroke1, stroke2}) {
    Fill(canvas, s, PALE);
  }
}

Canvas DrawBox() {
  Canvas canvas(FRAME, 2 * FRAME);
  const BoxPaint plain = {WOOD, WOOD_DARK};
  const BoxPaint resting = {STEEL, STEEL_DARK};
  DrawBlock(
      canvas, 0, 0, [&](int x, int y) { return BoxTop(plain, x, y); },
      [&](int along, int depth) { return BoxSide(plain, along, depth); });
  DrawBlock(
      canvas, 0, FRAME, [&](int x, int y) { return BoxTop(resting, x, y); },
      [&](int along, int depth) { return BoxSide(resting, along, depth); });
  DrawCheckBadge(canvas, 0, FRAME);
  return canvas;
}

// ---------------------------------------------------------------- ground

// Floor flags 24 pixels square with a one-pixel joint along their top and left
// edges: the floor repeats every cell, so floors overlapping half a block
// apart line up as well as whole ones.
const int FLAG = 24;

Colour FloorAt(int x, int y) {
  const int fx = x % FLAG;
  const int fy = y % FLAG;
  if (fx == 0 || fy == 0) {
    return GROUT;
  }
  const int key = x / FLAG + 2 * (y / FLAG);
  float light = 1 + 0.06f * Noise(key, 0, 50) + 0.06f * SmoothNoise(fx, fy, 4, 6, 51 + key) +
                0.04f * Noise(x, y, 52);
  if (fx == 1 || fy == 1) {
    light += 0.16f;
  } else if (fx == FLAG - 1 || fy == FLAG - 1) {
    light -= 0.2f;
  }
  return Shade(SAND, light);
}

Canvas DrawFloor() {
  Canvas canvas(BODY, BODY);
  for (int y = 0; y < BODY; y++) {
    for (int x = 0; x < BODY; x++) {
      canvas.Set(x, y, FloorAt(x, y));
    }
  }
  return canvas;
}

// A place: a sunken dark square with a bright amber rim and a diamond at its
// centre. The rim runs close to every edge, so the uncovered strip beside a
// box standing half on a place still shows it.
Canvas DrawPlace() {
  Canvas canvas(BODY, BODY);
  const float centre = (BODY - 1) / 2.0f;
  for (int y = 0; y < BODY; y++) {
    for (int x = 0; x < BODY; x++) {
      const int edge = std::min(std::min(x, y), std::min(BODY - 1 - x, BODY - 1 - y));
      const float dx = std::abs(x - centre);
      const float dy = std::abs(y - centre);
      const float glow = std::max(0.0f, 1 - (dx + dy) / 30);
      Colour c = Mix(Shade(SAND, 0.5f), AMBER, 0.18f * glow);
      if (edge == 0) {
        c = GROUT;
      } else if (edge <= 2) {
        c = Shade(SAND, edge == 1 && (x == 1 || y == 1) ? 1.05f : 0.85f);
      } else if (edge <= 7) {
        // The rim, raised and lit from the upper left.
        const bool lit = std::min(x, y) == edge;
        const bool lower = std::max(x, y) == BODY - 1 - edge;
        float light = 1;
        if (edge == 3) {
          light = lit ? 1.12f : 0.8f;
        } else if (edge == 7) {
          light = lower ? 1.05f : 0.7f;
        }
        c = Shade(AMBER, light + 0.03f * Noise(x, y, 60));
      } else if (edge == 8) {
        // The rim's shadow falls into the pit below and right of it.
        c = Shade(c, std::min(x, y) == edge ? 0.6f : 0.9f);
      }
      if (dx + dy <= 9 && edge > 8) {
        const bool rimPixel = dx + dy > 7.5f;
        const bool litSide = x <= centre + 0.5f && y <= centre + 0.5f;
        c = rimPixel ? Shade(AMBER, litSide ? 1.1f : 0.7f)
                     : Shade(AMBER, 0.95f - 0.02f * (dx - dy));
      }
      canvas.Set(x, y, c);
    }
  }
  return canvas;
}

// ---------------------------------------------------------------- hero

enum Facing { FACING_UP, FACING_DOWN, FACING_LEFT, FACING_RIGHT };

// One walk frame: 0 standing, 1 left foot leading, 2 passing, 3 right foot
// leading. Over a step the game shows 3, 2, 1, 0.
struct Stride {
  float bob;       // the body rises while a foot passes
  float leftStep;  // how far each foot is ahead (+) or behind (-)
  float rightStep;
  float leftLift;  // a passing foot is off the ground
  float rightLift;
};

Stride StrideOf(int frame) {
  switch (frame) {
    case 1:
      return {0, 1, -1, 0, 0};
    case 2:
      return {-1, 0, 0, 2, 0};
    case 3:
      return {0, -1, 1, 0, 0};
    default:
      return {0, 0, 0, 0, 0};
  }
}

// Seen from the front or the back: feet step towards or away from the viewer,
// arms swing against them.
void DrawFigureAhead(Canvas& c, bool front, const Stride& s) {
  const float b = s.bob;
  const float ahead = front ? 2.0f : -2.0f;
  const float leftFoot = 41 + s.leftStep * ahead - s.leftLift;
  const float rightFoot = 41 + s.rightStep * ahead - s.rightLift;
  const float leftHand = 31 + b - s.rightStep * ahead * 0.75f;
  const float rightHand = 31 + b - s.leftStep * ahead * 0.75f;
  // Legs and shoes; the foot further from the viewer goes first.
  const bool leftFirst = front ? leftFoot < rightFoot : leftFoot > rightFoot;
  for (int i = 0; i < 2; i++) {
    const bool left = (i == 0) == leftFirst;
    const float x = left ? 20.5f : 27.5f;
    const float foot = left ? leftFoot : rightFoot;
    Part(c, Capsule(x, 32 + b, x, foot - 2, 3), TROUSERS);
    Part(c, Ellipse(x, foot, 3.5f, front ? 2.4f : 2.0f), SHOES);
  }
  if (!front) {
    Part(c, Capsule(15, 22 + b, 14, leftHand, 2.6f), TUNIC);
    Part(c, Capsule(33, 22 + b, 34, rightHand, 2.6f), TUNIC);
  }
  Part(c, RoundRect(15.5f, 19.5f + b, 32.5f, 35 + b, 4.5f), TUNIC);
  FillRect(c, 16, static_cast<int>(31 + b), 32, static_cast<int>(33 + b), Shade(LEATHER, 0.6f));
  if (front) {
    FillRect(c, 23, static_cast<int>(31 + b), 25, static_cast<int>(33 + b), AMBER);
    Part(c, Capsule(15, 22 + b, 13.5f, leftHand, 2.6f), TUNIC);
    Part(c, Capsule(33, 22 + b, 34.5f, rightHand, 2.6f), TUNIC);
    Part(c, Ellipse(13.5f, leftHand + 1.5f, 2.3f, 2.3f), SKIN);
    Part(c, Ellipse(34.5f, rightHand + 1.5f, 2.3f, 2.3f), SKIN);
  } else {
    // A pack on the back makes the back view unmistakable.
    Part(c, RoundRect(17.5f, 21 + b, 30.5f, 32 + b, 3), LEATHER);
    FillRect(c, 18, static_cast<int>(25 + b), 30, static_cast<int>(26 + b), Shade(LEATHER, 0.65f));
    FillRect(c, 22, static_cast<int>(26 + b), 26, static_cast<int>(29 + b), AMBER);
  }
  // Head.
  const Shape head = Ellipse(24, 12 + b, 9, 8.5f);
  Part(c, head, SKIN);
  if (front) {
    FillArea(
        c, 14, 2 + b, 34, 14 + b,
        [&](float x, float y) {
          return head.Grown(0.3f).Inside(x, y) && y < 9.5f + b + 1.6f * std::sin(x * 1.3f);
        },
        [&](float x, float y) { return LitAt(head, HAIR, x, y); });
    // Eyes with a glint, and a mouth.
    for (int ex : {20, 27}) {
      FillRect(c, ex, static_cast<int>(12 + b), ex + 2, static_cast<int>(15 + b), OUTLINE);
      c.Set(ex, static_cast<int>(12 + b), Rgb(250, 250, 250));
    }
    FillRect(c, 22, static_cast<int>(17 + b), 26, static_cast<int>(18 + b), Shade(SKIN, 0.65f));
  } else {
    Fill(c, Ellipse(24, 11.5f + b, 8.6f, 8.0f), HAIR);
    Fill(c, Ellipse(24, 7 + b, 4, 2), Shade(HAIR, 1.25f));
  }
}

// Seen from the side, facing right when `s` is 1 and left when -1. The light
// stays in the upper left either way.
void DrawFigureSide(Canvas& c, float s, const Stride& st) {
  const float b = st.bob;
  auto X = [s](float x) { return 24 + s * (x - 24); };
  // Near and far leg: the near one is the left foot's in this drawing.
  const float nearStep = st.leftStep * 6;
  const float farStep = st.rightStep * 6;
  const float nearLift = st.leftLift;
  const float farLift = st.rightLift;
  const float nearHand = -farStep * 0.6f;
  const float farHand = -nearStep * 0.6f;
  Part(c, Capsule(X(24), 22 + b, X(24 + farHand), 30 + b, 2.4f), Shade(TUNIC, 0.75f));
  Part(c, Capsule(X(24), 32 + b, X(24 + farStep), 40 - farLift, 3), Shade(TROUSERS, 0.8f));
  Part(c, Ellipse(X(25.5f + farStep), 42 - farLift, 3.8f, 2.2f), Shade(SHOES, 0.8f));
  Part(c, RoundRect(18, 19.5f + b, 30, 35 + b, 4.5f), TUNIC);
  FillRect(c, 19, static_cast<int>(31 + b), 29, static_cast<int>(33 + b), Shade(LEATHER, 0.6f));
  Part(c, RoundRect(std::min(X(16), X(20)), 21 + b, std::max(X(16), X(20)), 31 + b, 2), LEATHER);
  Part(c, Capsule(X(24), 32 + b, X(24 + nearStep), 40 - nearLift, 3), TROUSERS);
  Part(c, Ellipse(X(25.5f + nearStep), 42 - nearLift, 3.8f, 2.2f), SHOES);
  Part(c, Capsule(X(24), 22 + b, X(24 + nearHand), 30 + b, 2.5f), TUNIC);
  Part(c, Ellipse(X(24 + nearHand), 31.5f + b, 2.3f, 2.3f), SKIN);
  // Head in profile: face and nose forward, hair behind and on top, an ear
  // where they meet.
  const Shape head = Ellipse(24, 12 + b, 8.5f, 8.5f);
  const Shape nose = Ellipse(X(32), 14 + b, 1.8f, 1.5f);
  const Shape headRim = head.Grown(1);
  const Shape noseRim = nose.Grown(1);
  FillArea(
      c, 13, 2 + b, 36, 22 + b,
      [&](float x, float y) { return headRim.Inside(x, y) || noseRim.Inside(x, y); },
      [](float, float) { return OUTLINE; });
  FillArea(
      c, 13, 2 + b, 36, 22 + b,
      [&](float x, float y) { return head.Inside(x, y) || nose.Inside(x, y); },
      [&](float x, float y) { return LitAt(head, SKIN, x, y); });
  FillArea(
      c, 13, 2 + b, 36, 22 + b,
      [&](float x, float y) {
        const float forward = s * (x - 24);
        const float down = y - (12 + b);
        const bool crown = down < -3.5f + 0.25f * forward;
        const bool back = forward < -3.5f + 0.1f * down && down < 5;
        return head.Grown(0.3f).Inside(x, y) && (crown || back);
      },
      [&](float x, float y) { return LitAt(head, HAIR, x, y); });
  Fill(c, Ellipse(X(21.5f), 13.5f + b, 1.5f, 2), Shade(SKIN, 0.78f));
  c.Set(static_cast<int>(std::floor(X(21.5f))), static_cast<int>(13 + b), Shade(SKIN, 0.6f));
  const int eye = static_cast<int>(std::floor(X(28.5f)));
  FillRect(c, eye, static_cast<int>(11 + b), eye + 2, static_cast<int>(14 + b), OUTLINE);
  c.Set(s > 0 ? eye + 1 : eye, static_cast<int>(11 + b), Rgb(250, 250, 250));
  const int mouth = static_cast<int>(std::floor(X(29.5f)));
  FillRect(c, mouth, static_cast<int>(17 + b), mouth + 2, static_cast<int>(18 + b),
           Shade(SKIN, 0.65f));
}

Canvas DrawHero() {
  Canvas sheet(4 * FRAME, 4 * FRAME);
  for (int facing = FACING_UP; facing <= FACING_RIGHT; facing++) {
    for (int frame = 0; frame < 4; frame++) {
      const int left = frame * FRAME;
      const int top = facing * FRAME;
      // The figure stands on its footprint; its shadow falls down and right.
      DitheredShadow(sheet, left, top, 30, 46, 13, 5);
      Canvas figure(BODY, BODY);
      const Stride stride = StrideOf(frame);
      if (facing == FACING_UP || facing == FACING_DOWN) {
        DrawFigureAhead(figure, facing == FACING_DOWN, stride);
      } else {
        DrawFigureSide(figure, facing == FACING_RIGHT ? 1 : -1, stride);
      }
      sheet.Place(figure, left, top);
    }
  }
  return sheet;
}

// ---------------------------------------------------------------- font

const char* const FONT_PATHS[] = {"/usr/share/fonts/X11/misc/7x14-ISO8859-1.pcf.gz",
                                  "/usr/share/fonts/X11/misc/7x14.pcf.gz"};
const int GLYPH_W = 7;
const int GLYPH_H = 14;

// PCF table types and format bits.
const uint32_t PCF_ACCELERATORS = 1 << 1;
const uint32_t PCF_METRICS = 1 << 2;
const uint32_t PCF_BITMAPS = 1 << 3;
const uint32_t PCF_BDF_ENCODINGS = 1 << 5;
const uint32_t PCF_BDF_ACCELERATORS = 1 << 8;
const uint32_t PCF_BYTE_MSB = 1 << 2;
const uint32_t PCF_BIT_MSB = 1 << 3;
const uint32_t PCF_COMPRESSED_METRICS = 0x100;

// Bounds-checked reading of a PCF file; a read past the end clears `ok`.
struct PcfReader {
  const std::vector<uint8_t>& data;
  bool ok = true;

  uint32_t Byte(size_t at) {
    if (at >= data.size()) {
      ok = false;
      return 0;
    }
    return data[at];
  }
  uint32_t U32(size_t at, bool msb) {
    const uint32_t b0 = Byte(at), b1 = Byte(at + 1), b2 = Byte(at + 2), b3 = Byte(at + 3);
    return msb ? b0 << 24 | b1 << 16 | b2 << 8 | b3 : b3 << 24 | b2 << 16 | b1 << 8 | b0;
  }
  int S16(size_t at, bool msb) {
    const uint32_t b0 = Byte(at), b1 = Byte(at + 1);
    return static_cast<int16_t>(msb ? b0 << 8 | b1 : b1 << 8 | b0);
  }
};

struct Glyph {
  int left = 0;    // columns from the cell's left edge to the bitmap's
  int ascent = 0;  // rows above the baseline
  int width = 0;
  int height = 0;
  std::vector<bool> bits;
};

// The table of the given type: its offset in the file, or 0 if it has none.
size_t FindTable(PcfReader& pcf, uint32_t type) {
  const uint32_t count = pcf.U32(4, false);
  for (uint32_t i = 0; i < count && pcf.ok; i++) {
    if (pcf.U32(8 + 16 * i, false) == type) {
      return pcf.U32(8 + 16 * i + 12, false);
    }
  }
  return 0;
}

// Reads the glyphs of byte values 0 to 255 and the font's ascent. Glyphs the
// font lacks stay empty.
bool ParsePcf(const std::vector<uint8_t>& data, std::vector<Glyph>& glyphs, int& fontAscent) {
  PcfReader pcf{data};
  if (pcf.U32(0, false) != 0x70636601) {
    return false;
  }
  size_t accel = FindTable(pcf, PCF_BDF_ACCELERATORS);
  if (!accel) {
    accel = FindTable(pcf, PCF_ACCELERATORS);
  }
  const size_t metrics = FindTable(pcf, PCF_METRICS);
  const size_t bitmaps = FindTable(pcf, PCF_BITMAPS);
  const size_t encodings = FindTable(pcf, PCF_BDF_ENCODINGS);
  if (!accel || !metrics || !bitmaps || !encodings) {
    return false;
  }
  const uint32_t accelFormat = pcf.U32(accel, false);
  fontAscent = static_cast<int>(pcf.U32(accel + 12, accelFormat & PCF_BYTE_MSB));

  // Glyph index of each byte value, through the encoding table.
  const uint32_t encFormat = pcf.U32(encodings, false);
  const bool encMsb = encFormat & PCF_BYTE_MSB;
  const int min2 = pcf.S16(encodings + 4, encMsb);
  const int max2 = pcf.S16(encodings + 6, encMsb);
  const int min1 = pcf.S16(encodings + 8, encMsb);
  const int max1 = pcf.S16(encodings + 10, encMsb);

  const uint32_t metFormat = pcf.U32(metrics, false);
  const bool metMsb = metFormat & PCF_BYTE_MSB;
  const bool compressed = (metFormat & 0xffffff00) == PCF_COMPRESSED_METRICS;
  const uint32_t metCount = compressed ? static_cast<uint16_t>(pcf.S16(metrics + 4, metMsb))
                                       : pcf.U32(metrics + 4, metMsb);

  const uint32_t bitFormat = pcf.U32(bitmaps, false);
  const bool bitMsb = bitFormat & PCF_BYTE_MSB;
  const uint32_t bitCount = pcf.U32(bitmaps + 4, bitMsb);
  const int pad = 1 << (bitFormat & 3);
  const int unit = 1 << ((bitFormat >> 4) & 3);
  const bool swapBytes = ((bitFormat & PCF_BYTE_MSB) != 0) != ((bitFormat & PCF_BIT_MSB) != 0);
  const bool leftBitHigh = bitFormat & PCF_BIT_MSB;
  const size_t bitData = bitmaps + 8 + 4 * static_cast<size_t>(bitCount) + 16;

  glyphs.assign(256, Glyph());
  for (int c = 0; c < 256 && pcf.ok; c++) {
    if (min1 > 0 || max1 < 0 || c < min2 || c > max2) {
      continue;
    }
    const int index =
        pcf.S16(encodings + 14 + 2 * ((0 - min1) * (max2 - min2 + 1) + (c - min2)), encMsb) &
        0xffff;
    if (index == 0xffff || static_cast<uint32_t>(index) >= metCount ||
        static_cast<uint32_t>(index) >= bitCount) {
      continue;
    }
    int lsb, rsb, ascent, descent;
    if (compressed) {
      const size_t at = metrics + 6 + 5 * static_cast<size_t>(index);
      lsb = static_cast<int>(pcf.Byte(at)) - 0x80;
      rsb = static_cast<int>(pcf.Byte(at + 1)) - 0x80;
      ascent = static_cast<int>(pcf.Byte(at + 3)) - 0x80;
      descent = static_cast<int>(pcf.Byte(at + 4)) - 0x80;
    } else {
      const size_t at = metrics + 8 + 12 * static_cast<size_t>(index);
      lsb = pcf.S16(at, metMsb);
      rsb = pcf.S16(at + 2, metMsb);
      ascent = pcf.S16(at + 6, metMsb);
      descent = pcf.S16(at + 8, metMsb);
    }
    Glyph& g = glyphs[c];
    g.left = lsb;
    g.ascent = ascent;
    g.width = std::clamp(rsb - lsb, 0, 64);
    g.height = std::clamp(ascent + descent, 0, 64);
    g.bits.assign(g.width * g.height, false);
    const int rowBytes = (g.width + 8 * pad - 1) / (8 * pad) * pad;
    const size_t start = bitData + pcf.U32(bitmaps + 8 + 4 * static_cast<size_t>(index), bitMsb);
    for (int y = 0; y < g.height; y++) {
      for (int x = 0; x < g.width; x++) {
        int byte = x / 8;
        if (swapBytes && unit > 1) {
          byte = byte / unit * unit + (unit - 1 - byte % unit);
        }
        const uint32_t bits = pcf.Byte(start + y * rowBytes + byte);
        g.bits[y * g.width + x] = bits >> (leftBitHigh ? 7 - x % 8 : x % 8) & 1;
      }
    }
  }
  return pcf.ok;
}

// Reads the gzip-compressed font through gzip, which every Debian system has.
bool ReadFont(std::vector<uint8_t>& data, std::string& path) {
  for (const char* candidate : FONT_PATHS) {
    FILE* test = fopen(candidate, "rb");
    if (!test) {
      continue;
    }
    fclose(test);
    path = candidate;
    FILE* pipe = popen(("gzip -dc '" + path + "'").c_str(), "r");
    if (!pipe) {
      return false;
    }
    uint8_t buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
      data.insert(data.end(), buffer, buffer + n);
    }
    return pclose(pipe) == 0 && !data.empty();
  }
  return false;
}

// A line of text as a bitmap, for lettering larger than the font: the glyph
// cells of its characters side by side, true where a glyph pixel is set.
struct Lettering {
  int width = 0;
  int height = GLYPH_H;
  std::vector<bool> bits;
  bool At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height && bits[y * width + x];
  }
};

// The glyph of byte c as its cell would show it: a 7 x 14 bitmap.
bool CellBit(const std::vector<Glyph>& glyphs, int fontAscent, int c, int x, int y) {
  const Glyph& g = glyphs[c];
  const int gx = x - g.left;
  const int gy = y - (fontAscent - g.ascent);
  return gx >= 0 && gy >= 0 && gx < g.width && gy < g.height && g.bits[gy * g.width + gx];
}

Lettering Spell(const std::vector<Glyph>& glyphs, int fontAscent, const char* text) {
  Lettering l;
  const int length = static_cast<int>(std::char_traits<char>::length(text));
  l.width = GLYPH_W * length;
  l.bits.assign(l.width * l.height, false);
  for (int i = 0; i < length; i++) {
    const int c = static_cast<unsigned char>(text[i]);
    for (int y = 0; y < GLYPH_H; y++) {
      for (int x = 0; x < GLYPH_W; x++) {
        l.bits[y * l.width + i * GLYPH_W + x] = CellBit(glyphs, fontAscent, c, x, y);
      }
    }
  }
  return l;
}

// Doubles a bitmap, rounding its diagonals instead of making stairs of them.
Lettering Scale2x(const Lettering& in) {
  Lettering out;
  out.width = 2 * in.width;
  out.height = 2 * in.height;
  out.bits.assign(out.width * out.height, false);
  for (int y = 0; y < in.height; y++) {
    for (int x = 0; x < in.width; x++) {
      const bool p = in.At(x, y);
      const bool a = in.At(x, y - 1), b = in.At(x + 1, y), c = in.At(x - 1, y), d = in.At(x, y + 1);
      bool e0 = p, e1 = p, e2 = p, e3 = p;
      if (b != c && a != d) {
        e0 = c == a ? c : p;
        e1 = a == b ? b : p;
        e2 = d == c ? c : p;
        e3 = b == d ? d : p;
      }
      out.bits[(2 * y) * out.width + 2 * x] = e0;
      out.bits[(2 * y) * out.width + 2 * x + 1] = e1;
      out.bits[(2 * y + 1) * out.width + 2 * x] = e2;
      out.bits[(2 * y + 1) * out.width + 2 * x + 1] = e3;
    }
  }
  return out;
}

// The glyph sheet: light glyphs, each with a one-pixel shadow down and right
// so that text stays readable over light parts of the board.
Canvas DrawFontSheet(const std::vector<Glyph>& glyphs, int fontAscent) {
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
        if (CellBit(glyphs, fontAscent, c, x, y)) {
          canvas.Set(left + x, top + y, TEXT);
        } else if (x > 0 && y > 0 && CellBit(glyphs, fontAscent, c, x - 1, y - 1)) {
          canvas.Set(left + x, top + y, SHADOW);
        }
      }
    }
  }
  return canvas;
}

// ---------------------------------------------------------------- screens

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

// Draws lettering with a drop shadow down and right, shaded from `upper` at
// its top to `lower` at its bottom.
void DrawLettering(Canvas& canvas, const Lettering& l, int left, int top, int shadow, Colour upper,
                   Colour lower) {
  for (int pass = 0; pass < 2; pass++) {
    const int dx = pass == 0 ? shadow : 0;
    for (int y = 0; y < l.height; y++) {
      for (int x = 0; x < l.width; x++) {
        if (!l.At(x, y)) {
          continue;
        }
        const Colour c =
            pass == 0 ? SHADOW : Mix(upper, lower, static_cast<float>(y) / (l.height - 1));
        canvas.Set(left + x + dx, top + y + dx, c);
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

// The level-complete panel with its shadow: 524 x 180 drawn at (58, 150) sits
// in the middle of the 640 x 480 screen.
Canvas DrawWin(const std::vector<Glyph>& glyphs, int fontAscent) {
  const int width = 524;
  const int height = 180;
  const int drop = 6;
  const int panelW = width - drop;
  const int panelH = height - drop;
  Canvas canvas(width, height);
  const Shape outer = RoundRect(0, 0, panelW, panelH, 18);
  const Shape border = RoundRect(4, 4, panelW - 4, panelH - 4, 14);
  const Shape inner = RoundRect(8, 8, panelW - 8, panelH - 8, 10);
  for (int y = drop; y < height; y++) {
    for (int x = drop; x < width; x++) {
      if (((x + y) & 1) == 0 && outer.Inside(x - drop + 0.5f, y - drop + 0.5f)) {
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

  const Lettering title = Scale2x(Scale2x(Spell(glyphs, fontAscent, "LEVEL COMPLETE")));
  DrawLettering(canvas, title, (panelW - title.width) / 2, 28, 3, PALE, AMBER);
  FillRect(canvas, 60, 101, panelW - 60, 102, Shade(AMBER, 0.8f));
  FillRect(canvas, 60, 102, panelW - 60, 103, SHADOW);
  DrawStar(canvas, 36, 56, 16);
  DrawStar(canvas, panelW - 37, 56, 16);
  const Lettering hint = Scale2x(Spell(glyphs, fontAscent, "Space: next level"));
  DrawLettering(canvas, hint, (panelW - hint.width) / 2, 118, 2, TEXT, Shade(TEXT, 0.8f));
  return canvas;
}

// The mouse pointer: an arrow whose tip is the top-left pixel, with a
// dithered shadow down and right.
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
          if (((x + y) & 1) == 0) {
            canvas.Set(x + 2, y + 2, SHADOW);
          }
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    printf("usage: velm2-art OUTDIR\n");
    return 2;
  }
  const std::string out = argv[1];

  std::vector<uint8_t> fontData;
  std::string fontPath;
  std::vector<Glyph> glyphs;
  int fontAscent = 0;
  if (!ReadFont(fontData, fontPath)) {
    printf("ERROR velm2-art: can't read the misc-fixed 7x14 font (Debian package xfonts-base)\n");
    return 1;
  }
  if (!ParsePcf(fontData, glyphs, fontAscent)) {
    printf("ERROR velm2-art: can't parse %s\n", fontPath.c_str());
    return 1;
  }

  struct Picture {
    const char* name;
    Canvas canvas;
    bool dither;
  };
  const Picture pictures[] = {
      {"back1.bmp", DrawBackground(), true},
      {"win.bmp", DrawWin(glyphs, fontAscent), true},
      {"hero.bmp", DrawHero(), true},
      {"wall.bmp", DrawWall(), true},
      {"box.bmp", DrawBox(), true},
      {"place.bmp", DrawPlace(), true},
      {"floor.bmp", DrawFloor(), true},
      {"cursor.bmp", DrawCursor(), false},
      {"font7x14.bmp", DrawFontSheet(glyphs, fontAscent), false},
  };
  for (const Picture& picture : pictures) {
    const std::string path = out + "/" + picture.name;
    if (!Save(picture.canvas, picture.dither, path)) {
      return 1;
    }
    printf("Wrote %s\n", path.c_str());
  }
  return 0;
}
