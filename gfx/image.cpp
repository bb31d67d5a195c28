// image.cpp: BMP pictures to display-format surfaces, and tiled textures.
#include "gfx/image.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// Far above the game's own pictures (under 300 KB), far below what would
// strain memory; a longer file is refused before it is read.
const long MAX_PICTURE_BYTES = 32 << 20;

uint32_t Little(const std::vector<Uint8>& file, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; i--) {
    value = value << 8 | file[at + i];
  }
  return value;
}

// The library's BMP reader believes the header: a bit depth it has no blitter
// for crashes the conversion, and lengths are not checked against the file.
// Only plain, uncompressed (or bit-field) BMPs whose pixels the file holds in
// full get past this.
bool IsSoundBmp(const std::vector<Uint8>& file) {
  if (file.size() < 26 || file[0] != 'B' || file[1] != 'M') {
    return false;
  }
  const uint32_t dataOffset = Little(file, 10, 4);
  const uint32_t headerSize = Little(file, 14, 4);
  int64_t width = 0;
  int64_t height = 0;
  uint32_t planes = 0;
  uint32_t depth = 0;
  uint32_t compression = 0;
  uint32_t colours = 0;
  if (headerSize == 12) {
    width = Little(file, 18, 2);
    height = Little(file, 20, 2);
    planes = Little(file, 22, 2);
    depth = Little(file, 24, 2);
  } else if (headerSize >= 40 && headerSize <= 124 && file.size() >= 54) {
    width = static_cast<int32_t>(Little(file, 18, 4));
    height = static_cast<int32_t>(Little(file, 22, 4));
    planes = Little(file, 26, 2);
    depth = Little(file, 28, 2);
    compression = Little(file, 30, 4);
    colours = Little(file, 46, 4);
  } else {
    return false;
  }
  // Bottom-up rows have a positive height, top-down rows a negative one.
  height = height < 0 ? -height : height;
  const bool knownDepth =
      depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
  const bool knownCompression =
      compression == 0 || (compression == 3 && depth >= 16 && depth != 24);
  if (width < 1 || width > 32767 || height < 1 || height > 32767 || planes != 1 || !knownDepth ||
      !knownCompression || (depth <= 8 && colours > (1u << depth))) {
    return false;
  }
  const int64_t rowBytes = (width * depth + 31) / 32 * 4;
  return dataOffset >= 14 + headerSize &&
         static_cast<int64_t>(dataOffset) + rowBytes * height <= static_cast<int64_t>(file.size());
}

// Reads a whole picture file through the library, when it is a sound BMP.
std::vector<Uint8> ReadBmpFile(const char* path) {
  std::vector<Uint8> file;
  // A FIFO would hang the open and a device never end: plain files only.
  struct stat status;
  if (stat(path, &status) != 0 || !S_ISREG(status.st_mode)) {
    return file;
  }
  SDL_RWops* source = SDL_RWFromFile(path, "rb");
  if (!source) {
    return file;
  }
  const long size = SDL_RWseek(source, 0, RW_SEEK_END);
  if (size > 0 && size <= MAX_PICTURE_BYTES && SDL_RWseek(source, 0, RW_SEEK_SET) == 0) {
    file.resize(size);
    if (SDL_RWread(source, file.data(), size, 1) != 1 || !IsSoundBmp(file)) {
      file.clear();
    }
  }
  SDL_RWclose(source);
  return file;
}

#ifdef __EMSCRIPTEN__
// The browser's library keeps no colour key and has no opaque display format:
// there pure magenta becomes see-through instead, and the picture is
// converted with its alpha.
SDL_Surface* KeyedDisplayFormat(SDL_Surface* picture) {
  if (picture->format->BytesPerPixel != 4 || SDL_LockSurface(picture) != 0) {
    return nullptr;
  }
  const Uint32 alpha = picture->format->Amask;
  const Uint32 key = SDL_MapRGB(picture->format, 255, 0, 255) & ~alpha;
  for (int y = 0; y < picture->h; y++) {
    Uint32* row =
        reinterpret_cast<Uint32*>(static_cast<Uint8*>(picture->pixels) + y * picture->pitch);
    for (int x = 0; x < picture->w; x++) {
      if ((row[x] & ~alpha) == key) {
        row[x] &= ~alpha;
      }
    }
  }
  SDL_UnlockSurface(picture);
  return SDL_DisplayFormatAlpha(picture);
}
#else
// Keys out pure magenta in the file's own pixel format (for a palette
// picture, the palette entry nearest to magenta); the conversion carries the
// key over.
SDL_Surface* KeyedDisplayFormat(SDL_Surface* picture) {
  SDL_SetColorKey(picture, SDL_SRCCOLORKEY | SDL_RLEACCEL,
                  SDL_MapRGB(picture->format, 255, 0, 255));
  return SDL_DisplayFormat(picture);
}
#endif

// What both loaders share: read, key and convert, with one error line, led by
// the loader's name, for whatever failed.
SDL_Surface* ReadDisplayFormat(const char* path, const char* loader) {
  std::vector<Uint8> file = ReadBmpFile(path);
  SDL_Surface* picture =
      file.empty() ? nullptr : SDL_LoadBMP_RW(SDL_RWFromConstMem(file.data(), file.size()), 1);
  // An empty picture could never advance the tiling loop.
  if (picture && (picture->w == 0 || picture->h == 0)) {
    FreeImage(picture);
    picture = nullptr;
  }
  if (!picture) {
    printf("ERROR %s: can't load image %s\n", loader, path);
    return nullptr;
  }
  SDL_Surface* converted = KeyedDisplayFormat(picture);
  FreeImage(picture);
  // Said aloud: the picture would otherwise just be missing from the screen.
  if (!converted) {
    printf("ERROR %s: can't convert image %s. %s\n", loader, path, SDL_GetError());
  }
  return converted;
}

}  // namespace

SDL_Surface* LoadImage(const char* path) {
  return ReadDisplayFormat(path, "LoadImage");
}

SDL_Surface* LoadTexture(const char* path, int width, int height) {
  SDL_Surface* converted = ReadDisplayFormat(path, "LoadTexture");
  if (!converted) {
    return nullptr;
  }

  const SDL_PixelFormat* format = converted->format;
  SDL_Surface* texture =
      SDL_CreateRGBSurface(converted->flags, width, height, format->BitsPerPixel, format->Rmask,
                           format->Gmask, format->Bmask, format->Amask);
  if (!texture) {
    printf("ERROR LoadTexture: can't create the Texture Surface. %s\n", SDL_GetError());
    FreeImage(converted);
    return nullptr;
  }
  // Where the picture is see-through the texture stays black; a new surface
  // starts black here, but clear in the browser.
  SDL_FillRect(texture, nullptr, SDL_MapRGB(texture->format, 0, 0, 0));

  SDL_Rect source = {0, 0, static_cast<Uint16>(converted->w), static_cast<Uint16>(converted->h)};
  for (int y = 0; y < height; y += converted->h) {
    for (int x = 0; x < width; x += converted->w) {
      SDL_Rect place = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
      SDL_UpperBlit(converted, &source, texture, &place);
    }
  }
  FreeImage(converted);
  return texture;
}

void FreeImage(SDL_Surface* surface) {
  if (surface) {
    SDL_FreeSurface(surface);
  }
}
