// font.cpp: drawing text from a glyph sheet.
#include "gfx/font.h"

SDL_Font::SDL_Font() : sheet(nullptr), glyphWidth(0), glyphHeight(0) {}
SDL_Font::~SDL_Font() { Clear(); }
void SDL_Font::Clear() {}
void SDL_Font::SetSheet(SDL_Surface*, int, int) {}
int SDL_Font::DrawString(SDL_Surface*, int, int, const char*) { return -1; }
