// paint.cpp: the art generator's shared primitives.
#include "tools/art/paint.h"

#include <SDL/SDL.h>
#include <png.h>

#include <cstdio>

namespace art {

float Noise(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xffff) / 32767.5f - 1.0f;
}

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

void ContactShadow(Canvas& canvas, float cx, float cy, float rx, float ry) {
  const Shape shadow = Ellipse(cx, cy, rx, ry);
  FillArea(
      canvas, shadow.Left(), shadow.Top(), shadow.Right(), shadow.Bottom(),
      [&](float x, float y) { return shadow.Inside(x, y); },
      [](float, float) { return GROUND_SHADOW; });
}

Canvas Cut(const Canvas& canvas, int left, int top, int width, int height) {
  Canvas part(width, height);
  part.Place(canvas, -left, -top);
  return part;
}

Canvas Enlarged(const Canvas& canvas, int factor) {
  Canvas large(canvas.width * factor, canvas.height * factor);
  for (int y = 0; y < large.height; y++) {
    for (int x = 0; x < large.width; x++) {
      const int i = y / factor * canvas.width + x / factor;
      large.Paint(x, y, canvas.colour[i], canvas.cover[i]);
    }
  }
  return large;
}

Canvas Shrunk(const Canvas& canvas, int width, int height) {
  Canvas small(width, height);
  const float sx = static_cast<float>(canvas.width) / width;
  const float sy = static_cast<float>(canvas.height) / height;
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      // The share of each source pixel that falls inside this pixel's area.
      float r = 0, g = 0, b = 0, cover = 0, area = 0;
      for (int v = static_cast<int>(y * sy); v < std::ceil((y + 1) * sy); v++) {
        const float h = std::min<float>(v + 1, (y + 1) * sy) - std::max<float>(v, y * sy);
        for (int u = static_cast<int>(x * sx); u < std::ceil((x + 1) * sx); u++) {
          const float w = std::min<float>(u + 1, (x + 1) * sx) - std::max<float>(u, x * sx);
          const int i = v * canvas.width + u;
          const float weight = w * h * canvas.cover[i];
          r += canvas.colour[i].r * weight;
          g += canvas.colour[i].g * weight;
          b += canvas.colour[i].b * weight;
          cover += weight;
          area += w * h;
        }
      }
      if (cover > 0) {
        small.Paint(x, y, {r / cover, g / cover, b / cover}, cover / area);
      }
    }
  }
  return small;
}

namespace {

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

}  // namespace

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

bool SavePng(const Canvas& canvas, const std::string& path) {
  FILE* file = fopen(path.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row(4 * canvas.width);
  bool saved = false;
  // libpng reports a failure by jumping back here.
  if (file && info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    // Fixed settings and no time stamp: the same picture gives the same bytes.
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, canvas.width, canvas.height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < canvas.height; y++) {
      for (int x = 0; x < canvas.width; x++) {
        const int i = y * canvas.width + x;
        const Colour c = canvas.colour[i];
        const float channels[] = {c.r, c.g, c.b, 255 * canvas.cover[i]};
        for (int k = 0; k < 4; k++) {
          row[4 * x + k] = static_cast<png_byte>(std::clamp(std::lround(channels[k]), 0L, 255L));
        }
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    saved = true;
  }
  png_destroy_write_struct(&png, &info);
  if (file) {
    saved = fclose(file) == 0 && saved;
  }
  if (!saved) {
    printf("ERROR velm2-art: can't write %s\n", path.c_str());
  }
  return saved;
}

}  // namespace art
