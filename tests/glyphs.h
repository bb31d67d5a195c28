// glyphs.h: a synthetic glyph sheet whose cells can be read back from pixels.
//
// Every cell is filled with its own colour: red tells the column, green the
// row, and full blue marks a glyph against a black background. The colours
// survive a 16-bit screen, so drawn text can be read back cell by cell.
#pragma once

#include <SDL/SDL.h>

#include <string>

const int GLYPH_WIDTH = 7;
const int GLYPH_HEIGHT = 14;

// A 32-bit sheet of `columns` x `rows` 7 x 14 cells, `extraWidth` pixels wider
// than the cells need. The caller frees it with SDL_FreeSurface.
SDL_Surface* GlyphSheet(int columns, int rows, int extraWidth = 0);

// The cell a drawn pixel came from, as column + 16 * row, or -1 for a pixel
// no glyph painted.
int CellAt(SDL_Surface* surface, int x, int y);

// The text drawn with a 16-column sheet on one line starting at (x, y), read
// from each glyph's top-left pixel up to the first unpainted cell or the
// surface's right edge.
std::string ReadText(SDL_Surface* surface, int x, int y);

// Fills a surface with black.
void Blank(SDL_Surface* surface);
