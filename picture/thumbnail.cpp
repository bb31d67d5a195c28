// thumbnail.cpp: level pictures cropped to the room and shrunk to half size.
#include "picture/thumbnail.h"

#include <algorithm>
#include <string>

#include "board/grid.h"
#include "gfx/font.h"
#include "shell/game.h"

namespace {

// Each pixel of the result is the mean of a 2 x 2 square of the source. Rooms
// are an even number of pixels wide and high: every frame starts at an even
// pixel and is 48 or 62 pixels across, and the screen's size is even too.
SDL_Surface* HalveRegion(SDL_Surface* source, const SDL_Rect& region) {
  SDL_Surface* half = SDL_CreateRGBSurface(SDL_SWSURFACE, region.w / 2, region.h / 2, 32, 0xff0000,
                                           0xff00, 0xff, 0);
  if (!half) {
    return nullptr;
  }
  SDL_LockSurface(source);
  for (int y = 0; y < half->h; y++) {
    for (int x = 0; x < half->w; x++) {
      int sum[3] = {};
      for (int dy = 0; dy < 2; dy++) {
        for (int dx = 0; dx < 2; dx++) {
          Uint8 rgb[3];
          SDL_GetRGB(ReadPixel(source, region.x + 2 * x + dx, region.y + 2 * y + dy),
                     source->format, &rgb[0], &rgb[1], &rgb[2]);
          for (int channel = 0; channel < 3; channel++) {
            sum[channel] += rgb[channel];
          }
        }
      }
      Uint32* out = static_cast<Uint32*>(half->pixels) + y * half->pitch / 4 + x;
      *out = SDL_MapRGB(half->format, sum[0] / 4, sum[1] / 4, sum[2] / 4);
    }
  }
  SDL_UnlockSurface(source);
  return half;
}

// The number on a dark patch, so it reads over walls and floor alike.
void Label(SDL_Surface* picture, int number) {
  const std::string text = std::to_string(number);
  SDL_Font* font = theGame->font;
  if (!font || font->glyphWidth == 0) {
    return;
  }
  SDL_Rect patch = {0, 0, static_cast<Uint16>(font->glyphWidth * text.size() + 4),
                    static_cast<Uint16>(font->glyphHeight + 2)};
  SDL_FillRect(picture, &patch, SDL_MapRGB(picture->format, 0, 0, 0));
  font->DrawString(picture, 2, 1, text.c_str());
}

}  // namespace

Uint32 ReadPixel(SDL_Surface* surface, int x, int y) {
  const Uint8* at = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch +
                    x * surface->format->BytesPerPixel;
  switch (surface->format->BytesPerPixel) {
    case 1:
      return *at;
    case 2:
      return *reinterpret_cast<const Uint16*>(at);
    case 3:
      return at[0] | at[1] << 8 | at[2] << 16;
    default:
      return *reinterpret_cast<const Uint32*>(at);
  }
}

SDL_Rect RoomBounds(const CLevel& level) {
  int left = SCREEN_WIDTH, top = SCREEN_HEIGHT, right = 0, bottom = 0;
  auto cover = [&](int x, int y, int size) {
    left = std::min(left, std::max(x, 0));
    top = std::min(top, std::max(y, 0));
    right = std::max(right, std::min(x + size, SCREEN_WIDTH));
    bottom = std::max(bottom, std::min(y + size, SCREEN_HEIGHT));
  };
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const int object = level.objectLayer[row][column].kind;
      if (object >= TILE_HERO && object <= TILE_PLACE && object != TILE_FLOOR) {
        cover(ObjectFrameEdge(column), ObjectFrameEdge(row), OBJECT_FRAME);
      }
      const int ground = level.groundLayer[row][column].kind;
      if (ground == TILE_FLOOR || ground == TILE_PLACE) {
        cover(CELL_SIZE * column, CELL_SIZE * row, GROUND_FRAME);
      }
    }
  }
  if (right <= left || bottom <= top) {
    return SDL_Rect{0, 0, 0, 0};
  }
  return SDL_Rect{static_cast<Sint16>(left), static_cast<Sint16>(top),
                  static_cast<Uint16>(right - left), static_cast<Uint16>(bottom - top)};
}

SDL_Surface* DrawThumbnail(CLevel* level, int number) {
  const SDL_Rect room = RoomBounds(*level);
  if (room.w == 0 || !theGame->screen) {
    return nullptr;
  }
  // Boxes that start on places show their highlighted picture in play from
  // the first frame on; the check gives them that here too.
  level->CheckComplete();
  theGame->DrawBackground();
  level->DrawBoard(theGame->screen);
  SDL_Surface* half = HalveRegion(theGame->screen, room);
  if (half) {
    Label(half, number);
  }
  return half;
}
