// glyphs.cpp: a synthetic glyph sheet for the font and HUD tests.
#include "tests/glyphs.h"

#include "tests/support.h"

SDL_Surface* GlyphSheet(int columns, int rows, int extraWidth) {
  SDL_Surface* sheet =
      SolidSurface(columns * GLYPH_WIDTH + extraWidth, rows * GLYPH_HEIGHT, 0, 0, 0);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      SDL_Rect cell = {static_cast<Sint16>(column * GLYPH_WIDTH),
                       static_cast<Sint16>(row * GLYPH_HEIGHT), GLYPH_WIDTH, GLYPH_HEIGHT};
      Uint32 colour = SDL_MapRGB(sheet->format, column * 16, row * 16, 0xf8);
      SDL_FillRect(sheet, &cell, colour);
    }
  }
  return sheet;
}

int CellAt(SDL_Surface* surface, int x, int y) {
  Uint32 colour = PixelAt(surface, x, y);
  if ((colour & 0xff) < 0x80) {
    return -1;
  }
  // Reading back from 16 bits may add a few low bits; the step of 16 hides them.
  int column = (colour >> 16 & 0xff) / 16;
  int row = (colour >> 8 & 0xff) / 16;
  return column + 16 * row;
}

std::string ReadText(SDL_Surface* surface, int x, int y) {
  std::string text;
  for (int left = x; left < surface->w; left += GLYPH_WIDTH) {
    int cell = CellAt(surface, left, y);
    if (cell < 0) {
      break;
    }
    text += static_cast<char>(cell);
  }
  return text;
}

void Blank(SDL_Surface* surface) {
  SDL_FillRect(surface, nullptr, 0);
}
