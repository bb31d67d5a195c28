// font.h: fixed-size bitmap font drawn glyph by glyph from a picture sheet.
//
// The sheet holds one equal cell per byte value, left to right, then top to
// bottom. The font never owns or releases its sheet.
#pragma once

#include <SDL/SDL.h>

class SDL_Font {
 public:
  // An empty font: no sheet, glyph size 0.
  SDL_Font();
  // Clears the font; the sheet is not released.
  virtual ~SDL_Font();

  // Forgets the sheet and glyph size; the sheet is not released.
  void Clear();
  // Takes a sheet and its glyph cell size. A null sheet is ignored and the
  // font keeps what it had.
  void SetSheet(SDL_Surface* sheet, int glyphWidth, int glyphHeight);
  // Draws text with its first glyph's top-left corner at (x, y). Returns 0
  // when every byte was drawn, -1 when drawing was refused or stopped at an
  // edge of the destination or the sheet.
  int DrawString(SDL_Surface* destination, int x, int y, const char* text);

  SDL_Surface* sheet;
  int glyphWidth;
  int glyphHeight;
};
