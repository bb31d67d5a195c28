// thumbnail.h: a small picture of a level, drawn by the game's own board drawing.
//
// A designer looks over a pack at a glance: each level is drawn on the game's
// background exactly as play shows it before the first step, cropped to the
// room, shrunk to half size and labelled with its number in the pack.
#pragma once

#include <SDL/SDL.h>

#include "board/level.h"

// The value of the pixel at (x, y) of a locked surface of any depth.
Uint32 ReadPixel(SDL_Surface* surface, int x, int y);

// The screen rectangle that the level's drawn tiles cover: object frames with
// their overhang, ground tiles, clipped to the screen. Empty for an empty board.
SDL_Rect RoomBounds(const CLevel& level);

// Draws `level` on `theGame`'s screen with its loaded pictures, as its first
// play frame shows it, and returns the room at half size with `number` in its
// upper-left corner. The caller frees the surface; null when nothing is drawn
// or no surface can be made. Meant for unsolved levels: the completion check
// runs, and on a solved one it calls the level-complete screen.
SDL_Surface* DrawThumbnail(CLevel* level, int number);
