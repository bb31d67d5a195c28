// png.h: writing a surface as a PNG file through libpng.
#pragma once

#include <SDL/SDL.h>

#include <string>

// Writes `surface` (any pixel format) as an 8-bit RGB PNG. False when the
// file cannot be written; `error` then says why.
bool WritePng(SDL_Surface* surface, const char* path, std::string* error);
