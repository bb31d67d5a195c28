// font.cpp: the generator's type, read and set with FreeType.
#include "tools/art/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>

namespace art {
namespace {

// FreeType reads the gzip-compressed PCF file itself.
const char* const CELL_FONT_PATHS[] = {"/usr/share/fonts/X11/misc/7x14-ISO8859-1.pcf.gz",
                                       "/usr/share/fonts/X11/misc/7x14.pcf.gz"};
const char* const DISPLAY_FACE_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// Copies the glyph cells out of the 7x14 font. False when it is not the
// bitmap font it should be.
bool ReadCells(FT_Face face, CellFont* cells) {
  // A bitmap font has its one size; its ISO 8859-1 encoding FreeType offers
  // as the same code points of Unicode.
  if (face->num_fixed_sizes < 1 || FT_Select_Size(face, 0) != 0 ||
      FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
    return false;
  }
  const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
  for (int c = 0; c < 256; c++) {
    const FT_UInt index = FT_Get_Char_Index(face, c);
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) {
      continue;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    for (int y = 0; y < GLYPH_H; y++) {
      for (int x = 0; x < GLYPH_W; x++) {
        const int gx = x - slot->bitmap_left;
        const int gy = y - (ascent - slot->bitmap_top);
        if (gx >= 0 && gy >= 0 && gx < static_cast<int>(bitmap.width) &&
            gy < static_cast<int>(bitmap.rows)) {
          const unsigned char byte = bitmap.buffer[gy * bitmap.pitch + gx / 8];
          cells->bits[(c * GLYPH_H + y) * GLYPH_W + x] = byte >> (7 - gx % 8) & 1;
        }
      }
    }
  }
  return true;
}

}  // namespace

Type::~Type() {
  if (display) {
    FT_Done_Face(display);
  }
  if (library) {
    FT_Done_FreeType(library);
  }
}

bool Type::Read() {
  if (FT_Init_FreeType(&library) != 0) {
    printf("ERROR velm2-art: can't start FreeType\n");
    return false;
  }
  bool cellsRead = false;
  for (const char* path : CELL_FONT_PATHS) {
    FT_Face face;
    if (FT_New_Face(library, path, 0, &face) == 0) {
      cellsRead = ReadCells(face, &cells);
      FT_Done_Face(face);
      break;
    }
  }
  if (!cellsRead) {
    printf("ERROR velm2-art: can't read the misc-fixed 7x14 font (Debian package xfonts-base)\n");
    return false;
  }
  if (FT_New_Face(library, DISPLAY_FACE_PATH, 0, &display) != 0) {
    display = nullptr;
    printf("ERROR velm2-art: can't read %s (Debian package fonts-dejavu-core)\n",
           DISPLAY_FACE_PATH);
    return false;
  }
  return true;
}

Lettering Type::Set(const char* text, int pixelSize) const {
  Lettering lettering;
  if (FT_Set_Pixel_Sizes(display, 0, pixelSize) != 0) {
    return lettering;
  }
  // Letters go onto a page with room all round, which is then cut down to them.
  const int length = static_cast<int>(std::char_traits<char>::length(text));
  const int pageW = (length + 4) * pixelSize;
  const int pageH = 4 * pixelSize;
  std::vector<float> page(pageW * pageH, 0.0f);
  const int baseline = 3 * pixelSize;
  FT_Pos pen = 64 * pixelSize;
  FT_UInt previous = 0;
  for (int i = 0; i < length; i++) {
    const FT_UInt index = FT_Get_Char_Index(display, static_cast<unsigned char>(text[i]));
    if (previous && FT_HAS_KERNING(display)) {
      FT_Vector kern;
      FT_Get_Kerning(display, previous, index, FT_KERNING_DEFAULT, &kern);
      pen += kern.x;
    }
    previous = index;
    if (FT_Load_Glyph(display, index, FT_LOAD_RENDER) != 0) {
      continue;
    }
    const FT_GlyphSlot slot = display->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const int left = static_cast<int>((pen + 32) >> 6) + slot->bitmap_left;
    const int top = baseline - slot->bitmap_top;
    for (int y = 0; y < static_cast<int>(bitmap.rows); y++) {
      for (int x = 0; x < static_cast<int>(bitmap.width); x++) {
        const int px = left + x;
        const int py = top + y;
        if (px >= 0 && py >= 0 && px < pageW && py < pageH) {
          float& cover = page[py * pageW + px];
          cover = std::max(cover, bitmap.buffer[y * bitmap.pitch + x] / 255.0f);
        }
      }
    }
    pen += slot->advance.x;
  }

  int x0 = pageW, y0 = pageH, x1 = 0, y1 = 0;
  for (int y = 0; y < pageH; y++) {
    for (int x = 0; x < pageW; x++) {
      if (page[y * pageW + x] > 0) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x + 1);
        y1 = std::max(y1, y + 1);
      }
    }
  }
  lettering.width = std::max(0, x1 - x0);
  lettering.height = std::max(0, y1 - y0);
  lettering.cover.assign(lettering.width * lettering.height, 0.0f);
  for (int y = 0; y < lettering.height; y++) {
    for (int x = 0; x < lettering.width; x++) {
      lettering.cover[y * lettering.width + x] = page[(y0 + y) * pageW + x0 + x];
    }
  }
  return lettering;
}

}  // namespace art
