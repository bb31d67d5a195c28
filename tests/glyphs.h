// glyphs.h: a synthetic glyph sheet whose cells can be read back from pixels.
//
// Every cell has its own colour: red tells the column, green the row, and full
// blue marks a glyph against black. The colours survive a 16-bit screen.
#pragma once

#include <string>

#include "gfx/font.h"
#include "tests/support.h"

const int GLYPH_WIDTH = 7;
const int GLYPH_HEIGHT = 14;

// `columns` x `rows` cells, `extraWidth` pixels wider than they need.
inline SDL_Surface* GlyphSheet(int columns, int rows, int extraWidth = 0) {
  SDL_Surface* sheet =
      SolidSurface(columns * GLYPH_WIDTH + extraWidth, rows * GLYPH_HEIGHT, 0, 0, 0);
  for (int i = 0; i < columns * rows; ++i) {
    const int column = i % columns, row = i / columns;
    SDL_Rect cell = {static_cast<Sint16>(column * GLYPH_WIDTH),
                     static_cast<Sint16>(row * GLYPH_HEIGHT), GLYPH_WIDTH, GLYPH_HEIGHT};
    SDL_FillRect(sheet, &cell, SDL_MapRGB(sheet->format, column * 16, row * 16, 0xf8));
  }
  return sheet;
}

// The cell a pixel came from, as column + 16 * row, or -1 where no glyph
// painted. The step of 16 hides the low bits a 16-bit screen adds.
inline int CellAt(SDL_Surface* surface, int x, int y) {
  const Uint32 colour = PixelAt(surface, x, y);
  return (colour & 0xff) < 0x80 ? -1 : (colour >> 16 & 0xff) / 16 + (colour >> 8 & 0xff) / 16 * 16;
}

// How many pixels of the surface glyphs painted.
inline int Painted(SDL_Surface* surface) {
  int count = 0;
  for (int i = 0; i < surface->w * surface->h; ++i) {
    count += CellAt(surface, i % surface->w, i / surface->w) >= 0;
  }
  return count;
}

// A font on a full 16 x 16 sheet of its own.
struct GlyphFont {
  GlyphFont() { font.SetSheet(sheet, GLYPH_WIDTH, GLYPH_HEIGHT); }
  ~GlyphFont() { SDL_FreeSurface(sheet); }
  SDL_Surface* sheet = GlyphSheet(16, 16);
  SDL_Font font;
};

// `count` lines of text drawn with a 16-column sheet from (x, y) down, joined
// by '|'; each is read glyph by glyph up to a blank cell or the right edge.
inline std::string ReadLines(SDL_Surface* surface, int x, int y, int count = 1) {
  std::string text;
  for (int left = x; left < surface->w && CellAt(surface, left, y) >= 0; left += GLYPH_WIDTH) {
    text += static_cast<char>(CellAt(surface, left, y));
  }
  return count > 1 ? text + "|" + ReadLines(surface, x, y + GLYPH_HEIGHT, count - 1) : text;
}
