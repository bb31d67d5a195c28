// png.cpp: surfaces to 8-bit RGB PNG files.
#include "picture/png.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

// Row by row as R, G, B bytes, whatever the surface's own format.
std::vector<png_byte> RgbRows(SDL_Surface* surface) {
  std::vector<png_byte> rgb(3 * surface->w * surface->h);
  SDL_LockSurface(surface);
  const int bytesPerPixel = surface->format->BytesPerPixel;
  for (int y = 0; y < surface->h; y++) {
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    for (int x = 0; x < surface->w; x++) {
      Uint32 pixel = 0;
      const Uint8* at = row + x * bytesPerPixel;
      switch (bytesPerPixel) {
        case 1:
          pixel = *at;
          break;
        case 2:
          pixel = *reinterpret_cast<const Uint16*>(at);
          break;
        case 3:
          pixel = at[0] | at[1] << 8 | at[2] << 16;
          break;
        default:
          pixel = *reinterpret_cast<const Uint32*>(at);
          break;
      }
      png_byte* out = &rgb[3 * (y * surface->w + x)];
      SDL_GetRGB(pixel, surface->format, &out[0], &out[1], &out[2]);
    }
  }
  SDL_UnlockSurface(surface);
  return rgb;
}

}  // namespace

bool WritePng(SDL_Surface* surface, const char* path, std::string* error) {
  std::vector<png_byte> rgb = RgbRows(surface);
  std::vector<png_bytep> rows(surface->h);
  for (int y = 0; y < surface->h; y++) {
    rows[y] = &rgb[3 * y * surface->w];
  }

  FILE* file = fopen(path, "wb");
  if (!file) {
    *error = "can't open file";
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  volatile bool written = false;
  // libpng reports its failures by jumping back here.
  if (info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, surface->w, surface->h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, &info);
  if (fclose(file) != 0) {
    written = false;
  }
  if (!written) {
    *error = "can't write PNG";
  }
  return written;
}
