// font.cpp: drawing text from a glyph sheet.
#include "gfx/font.h"

namespace {

// SDL_Rect keeps positions as signed 16-bit and sizes as unsigned 16-bit:
// only the low 16 bits of each value survive. The arithmetic is done
// unsigned so that a huge glyph size or a very long string wraps instead of
// overflowing.
SDL_Rect Rect16(Uint32 x, Uint32 y, Uint32 w, Uint32 h) {
  SDL_Rect rect;
  rect.x = static_cast<Sint16>(static_cast<Uint16>(x));
  rect.y = static_cast<Sint16>(static_cast<Uint16>(y));
  rect.w = static_cast<Uint16>(w);
  rect.h = static_cast<Uint16>(h);
  return rect;
}

}  // namespace

SDL_Font::SDL_Font() : sheet(nullptr), glyphWidth(0), glyphHeight(0) {}

SDL_Font::~SDL_Font() {
  Clear();
}

void SDL_Font::Clear() {
  sheet = nullptr;
  glyphWidth = 0;
  glyphHeight = 0;
}

void SDL_Font::SetSheet(SDL_Surface* newSheet, int newGlyphWidth, int newGlyphHeight) {
  if (!newSheet) {
    return;
  }
  sheet = newSheet;
  glyphWidth = newGlyphWidth;
  glyphHeight = newGlyphHeight;
}

int SDL_Font::DrawString(SDL_Surface* destination, int x, int y, const char* text) {
  if (!destination || !sheet || glyphWidth <= 0 || glyphHeight <= 0) {
    return -1;
  }
  // A sheet narrower than one glyph has no glyph column to pick from.
  const int columns = sheet->w / glyphWidth;
  if (columns == 0 || !text) {
    return -1;
  }

  const Uint32 width = static_cast<Uint32>(glyphWidth);
  const Uint32 height = static_cast<Uint32>(glyphHeight);
  for (Uint32 i = 0; text[i] != '\0'; ++i) {
    const Uint32 c = static_cast<unsigned char>(text[i]);
    const Uint32 column = c % columns;
    const Uint32 row = c / columns;
    SDL_Rect source = Rect16(width * column, height * row, width, height);
    SDL_Rect place =
        Rect16(static_cast<Uint32>(x) + i * width, static_cast<Uint32>(y), width, height);

    // Only the glyph's top-left corner is tested: a glyph that starts inside
    // the destination is drawn clipped by the blit, the next one ends the
    // string.
    if (source.x >= sheet->w || source.y >= sheet->h || place.y >= destination->h ||
        place.x >= destination->w) {
      return -1;
    }
    SDL_UpperBlit(sheet, &source, destination, &place);
  }
  return 0;
}
