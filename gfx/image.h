// image.h: loading BMP pictures as display-format surfaces.
//
// Both loaders need a video mode set. The caller owns what they return and
// releases it with FreeImage. Pure magenta (255, 0, 255) is transparent.
#pragma once

#include <SDL/SDL.h>

// Reads a BMP, keys out magenta and converts it to the display format.
// Returns null (after one error line naming the path) if it cannot be read.
SDL_Surface* LoadImage(const char* path);

// Reads a BMP and repeats it over a new display-format surface of the given
// size, row by row from the top. Magenta parts of the picture stay black.
// Returns null if the picture cannot be read, is empty or cannot be tiled.
SDL_Surface* LoadTexture(const char* path, int width, int height);

// Releases a surface; null is ignored.
void FreeImage(SDL_Surface* surface);
