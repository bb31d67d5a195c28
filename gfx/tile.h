// tile.h: the sprite record held in every cell of both board layers.
//
// A tile knows what stands in its cell, where its picture is on the screen right
// now and where it is gliding to. A step is shown by placing a tile in its new
// cell at the old screen position and letting it glide there at 150 pixels per
// second; the hero shows a four-frame walk cycle on the way.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>

// Kinds of tile, stored in `Tile::kind` and as one byte per cell in level files.
enum {
  TILE_NONE = 0,
  TILE_HERO = 1,
  TILE_FLOOR = 2,
  TILE_WALL = 3,
  TILE_BOX = 4,
  TILE_PLACE = 5,
};

// Direction codes: the PC keyboard's extended scan codes of the arrow keys.
enum {
  DIR_UP = 200,
  DIR_DOWN = 208,
  DIR_LEFT = 203,
  DIR_RIGHT = 205,
};

// Frame sizes of the two layers' picture sheets, and the glide speed.
const int OBJECT_FRAME = 62;
const int GROUND_FRAME = 48;
const int TILE_SPEED = 150;

struct Tile {
  float x = 0;      // left edge of the picture on the screen
  float y = 0;      // top edge of the picture on the screen
  float w = 0;      // frame width in the picture sheet: 62 objects, 48 ground
  float h = 0;      // frame height
  float destX = 0;  // left edge where the current glide ends
  float destY = 0;  // top edge where the current glide ends
  int32_t kind = TILE_NONE;
  int32_t row = 0;        // picture sheet row: hero facing, box on a place
  int32_t speed = 0;      // pixels per second, 150 once placed
  uint8_t moving = 0;     // 1 while gliding
  int32_t direction = 0;  // direction code of the current or last glide
  int32_t frame = 0;      // picture sheet column: the hero's walk frame
  // Frame time not yet turned into a whole pixel of glide. Frames shorter than
  // 1/150 s would otherwise move nothing and a glide would never end.
  float carriedTime = 0;

  // Places the tile and ends any glide: row 1 (facing down) for a hero, 0 for
  // every other kind; frame 0. destX, destY and direction are kept.
  void Init(int x, int y, int w, int h, int kind);

  // Blit the whole frame, its upper-left 48 x 48 square, or its 14 x 14
  // lower-left corner, from the kind's picture in `theGame`. Kinds without a
  // picture for that operation draw nothing.
  void DrawFull(SDL_Surface* target);
  void DrawBody(SDL_Surface* target);
  void DrawRimCorner(SDL_Surface* target);

  // Advances a gliding hero or box by 150 px/s times the frame time in whole
  // pixels and ends the glide exactly on its destination.
  void Animate(float frameTime);
};
