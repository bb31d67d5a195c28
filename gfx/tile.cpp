// tile.cpp: placing, drawing and gliding one tile.
#include "gfx/tile.h"

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

void Tile::DrawFull(SDL_Surface*) {}
void Tile::DrawBody(SDL_Surface*) {}
void Tile::DrawRimCorner(SDL_Surface*) {}
void Tile::Animate(float) {}
