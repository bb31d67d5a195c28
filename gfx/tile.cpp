// tile.cpp: placing, drawing and gliding one tile.
#include "gfx/tile.h"

#include <cmath>

#include "shell/game.h"

namespace {

// Body and rim corner sizes within an object frame.
const int BODY_SIZE = 48;
const int CORNER_SIZE = 14;

// The picture sheet a kind draws from; null for kinds without one.
SDL_Surface* PictureOf(int kind) {
  if (!theGame) {
    return nullptr;
  }
  switch (kind) {
    case TILE_HERO:
      return theGame->heroImage;
    case TILE_FLOOR:
      return theGame->floorImage;
    case TILE_WALL:
      return theGame->wallImage;
    case TILE_BOX:
      return theGame->boxImage;
    case TILE_PLACE:
      return theGame->placeImage;
    default:
      return nullptr;
  }
}

// Screen and sheet coordinates are whole pixels, truncated toward zero.
Sint16 Whole(float value) {
  return static_cast<Sint16>(static_cast<int>(value));
}

// Blits the part of the tile's current frame that starts (left, top) pixels
// into it, to the same place relative to the tile as in the whole frame.
void BlitPart(const Tile& tile, SDL_Surface* target, int left, int top, int width, int height) {
  SDL_Surface* picture = PictureOf(tile.kind);
  if (!picture || !target) {
    return;
  }
  // Only the hero's and the box's sheets have more than one row.
  const float sheetTop = tile.kind == TILE_HERO || tile.kind == TILE_BOX ? tile.row * tile.h : 0;
  SDL_Rect source = {Whole(tile.frame * tile.w + left), Whole(sheetTop + top),
                     static_cast<Uint16>(width), static_cast<Uint16>(height)};
  SDL_Rect place = {Whole(tile.x + left), Whole(tile.y + top), 0, 0};
  SDL_UpperBlit(picture, &source, target, &place);
}

}  // namespace

void Tile::Init(int x, int y, int w, int h, int kind) {
  this->x = static_cast<float>(x);
  this->y = static_cast<float>(y);
  this->w = static_cast<float>(w);
  this->h = static_cast<float>(h);
  this->kind = kind;
  speed = TILE_SPEED;
  // A hero at rest faces the player.
  row = kind == TILE_HERO ? 1 : 0;
  moving = 0;
  frame = 0;
  carriedTime = 0;
}

void Tile::DrawFull(SDL_Surface* target) {
  BlitPart(*this, target, 0, 0, static_cast<int>(w), static_cast<int>(h));
}

// Body and corner are drawn a second time over neighbouring rims; floors lie
// under every object and are only ever drawn whole.
void Tile::DrawBody(SDL_Surface* target) {
  if (kind == TILE_FLOOR) {
    return;
  }
  BlitPart(*this, target, 0, 0, BODY_SIZE, BODY_SIZE);
}

void Tile::DrawRimCorner(SDL_Surface* target) {
  if (kind == TILE_FLOOR) {
    return;
  }
  BlitPart(*this, target, 0, BODY_SIZE, CORNER_SIZE, CORNER_SIZE);
}

void Tile::Animate(float frameTime) {
  if ((kind != TILE_HERO && kind != TILE_BOX) || moving != 1) {
    return;
  }
  // The product is taken in double: 0.020 s as a float lies just below 0.02 and
  // must give 2 pixels, which a float product would round up to 3.
  double step = 0;
  if (frameTime > 0) {
    step = std::trunc(speed * static_cast<double>(frameTime));
    if (step < 1) {
      // Frames too short for a whole pixel save their time up until one is
      // due, so a glide keeps its speed and ends on fast machines too.
      carriedTime += frameTime;
      step = std::trunc(speed * static_cast<double>(carriedTime));
      if (step >= 1) {
        carriedTime = static_cast<float>(carriedTime - step / speed);
      }
    }
  }

  int sign = 0;
  switch (direction) {
    case DIR_UP:
    case DIR_LEFT:
      sign = -1;
      break;
    case DIR_DOWN:
    case DIR_RIGHT:
      sign = 1;
      break;
    default:
      return;
  }
  const bool across = direction == DIR_LEFT || direction == DIR_RIGHT;
  float& position = across ? x : y;
  const float destination = across ? destX : destY;
  position = static_cast<float>(position + sign * step);
  const float remaining = sign * (destination - position);
  // Landing exactly on the destination still counts as under way; the glide
  // ends when a step carries the tile past it, and puts it back there.
  if (remaining < 0) {
    position = destination;
    moving = 0;
    frame = 0;
    carriedTime = 0;
    return;
  }
  if (kind == TILE_HERO) {
    // The walk cycle runs 3, 2, 1, 0 over the last 24 pixels of a step.
    const float walk = std::floor(remaining / 6);
    frame = walk > 3 ? 0 : static_cast<int>(walk);
  }
}
