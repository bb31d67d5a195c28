// image.cpp: BMP pictures to display-format surfaces, and tiled textures.
#include "gfx/image.h"

#include <cstdio>

namespace {

// Reads a BMP and keys out pure magenta in the file's own pixel format (for a
// palette picture, the palette entry nearest to magenta).
SDL_Surface* ReadKeyedBmp(const char* path) {
  SDL_Surface* picture = SDL_LoadBMP_RW(SDL_RWFromFile(path, "rb"), 1);
  if (picture) {
    SDL_SetColorKey(picture, SDL_SRCCOLORKEY | SDL_RLEACCEL,
                    SDL_MapRGB(picture->format, 255, 0, 255));
  }
  return picture;
}

}  // namespace

SDL_Surface* LoadImage(const char* path) {
  SDL_Surface* picture = ReadKeyedBmp(path);
  if (!picture) {
    printf("ERROR LoadImage: can't load image %s\n", path);
    return nullptr;
  }
  SDL_Surface* converted = SDL_DisplayFormat(picture);
  SDL_FreeSurface(picture);
  return converted;
}

SDL_Surface* LoadTexture(const char* path, int width, int height) {
  SDL_Surface* picture = ReadKeyedBmp(path);
  // An empty picture could never advance the tiling loop.
  if (picture && (picture->w == 0 || picture->h == 0)) {
    FreeImage(picture);
    picture = nullptr;
  }
  if (!picture) {
    printf("ERROR LoadTexture: can't load image %s\n", path);
    return nullptr;
  }
  SDL_Surface* converted = SDL_DisplayFormat(picture);
  FreeImage(picture);
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
