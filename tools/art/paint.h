// paint.h: the art generator's shared primitives: palette, noise, canvas,
// round shapes and writing pictures.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace art {

struct Colour {
  float r, g, b;
};

inline Colour Rgb(int r, int g, int b) {
  return {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
}

inline Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline Colour Shade(Colour c, float factor) {
  return {c.r * factor, c.g * factor, c.b * factor};
}

// The palette shared by all pictures.
const Colour OUTLINE = Rgb(30, 22, 28);
const Colour SHADOW = Rgb(16, 14, 24);
// Shaded floor: what a shadow on the ground looks like without blending.
const Colour GROUND_SHADOW = Rgb(52, 42, 36);
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
float Noise(int x, int y, int seed);
// Smooth noise on a lattice `cell` pixels apart that repeats after `period`
// lattice points, so textures built from it tile.
float SmoothNoise(float x, float y, float cell, int period, int seed);

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

// The part of a canvas with its top-left corner at (left, top).
Canvas Cut(const Canvas& canvas, int left, int top, int width, int height);
// A canvas `factor` times as large, every pixel a square block.
Canvas Enlarged(const Canvas& canvas, int factor);
// A canvas shrunk to the given size, each pixel the average of the area it
// covers, colours weighted by their coverage so that edges stay clean.
Canvas Shrunk(const Canvas& canvas, int width, int height);

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

inline Shape Ellipse(float cx, float cy, float rx, float ry) {
  return {Shape::ELLIPSE, cx, cy, rx, ry, 0};
}
inline Shape Capsule(float x0, float y0, float x1, float y1, float radius) {
  return {Shape::CAPSULE, x0, y0, x1, y1, radius};
}
inline Shape RoundRect(float x0, float y0, float x1, float y1, float radius) {
  return {Shape::ROUND_RECT, x0, y0, x1, y1, radius};
}

// A rounded part lit from the upper left: brighter towards that side.
Colour LitAt(const Shape& shape, Colour base, float x, float y);
void Fill(Canvas& canvas, const Shape& shape, Colour colour);
// A part of a figure: a dark rim one pixel wide, then the lit part inside it.
void Part(Canvas& canvas, const Shape& shape, Colour colour);
void FillRect(Canvas& canvas, int x0, int y0, int x1, int y1, Colour colour);
// The shadow a figure casts where it stands. The screen cannot blend, so it is
// a solid, flat, dark ellipse in the colour of shaded ground, small enough to
// read as a shadow rather than a hole.
void ContactShadow(Canvas& canvas, float cx, float cy, float rx, float ry);

// Writes a 24-bit BMP: covered pixels in their colour, the rest pure magenta.
// With `dither`, colours are dithered to the 16-bit display's 5-6-5 levels.
bool Save(const Canvas& canvas, bool dither, const std::string& path);
// Writes an 8-bit RGBA PNG, with the coverage as alpha: for the desktop,
// which blends, unlike the game's screen.
bool SavePng(const Canvas& canvas, const std::string& path);

}  // namespace art
