// font.cpp: reading the 7x14 cell font and setting lettering, with FreeType.
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

// One FreeType library and face, released when it goes out of scope.
struct Face {
  FT_Library library = nullptr;
  FT_Face face = nullptr;

  explicit Face(const char* path) {
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, path, 0, &face) != 0) {
      face = nullptr;
    }
  }
  ~Face() {
    if (face) {
      FT_Done_Face(face);
    }
    if (library) {
      FT_Done_FreeType(library);
    }
  }
};

}  // namespace

bool ReadCellFont(CellFont* font) {
  for (const char* path : CELL_FONT_PATHS) {
    Face font7x14(path);
    FT_Face face = font7x14.face;
    if (!face) {
      continue;
    }
    // A bitmap font has its one size; the encoding is ISO 8859-1, which
    // FreeType maps to the same code points in Unicode.
    if (face->num_fixed_sizes < 1 || FT_Select_Size(face, 0) != 0 ||
        FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
      printf("ERROR velm2-art: can't read the glyphs of %s\n", path);
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
          if (gx < 0 || gy < 0 || gx >= static_cast<int>(bitmap.width) ||
              gy >= static_cast<int>(bitmap.rows)) {
            continue;
          }
          const unsigned char byte = bitmap.buffer[gy * bitmap.pitch + gx / 8];
          font->bits[(c * GLYPH_H + y) * GLYPH_W + x] = byte >> (7 - gx % 8) & 1;
        }
      }
    }
    return true;
  }
  printf("ERROR velm2-art: can't read the misc-fixed 7x14 font (Debian package xfonts-base)\n");
  return false;
}

bool SetText(const char* text, int pixelSize, Lettering* lettering) {
  Face display(DISPLAY_FACE_PATH);
  FT_Face face = display.face;
  if (!face || FT_Set_Pixel_Sizes(face, 0, pixelSize) != 0) {
    printf("ERROR velm2-art: can't read the display face %s (Debian package fonts-dejavu-core)\n",
           DISPLAY_FACE_PATH);
    return false;
  }
  // Letters go onto a page with room round them, then the page is cut down to
  // the letters.
  const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
  const int pageH = static_cast<int>((face->size->metrics.height >> 6) + 2 * pixelSize);
  int pageW = 2 * pixelSize;
  for (const char* p = text; *p; p++) {
    pageW += pixelSize;
  }
  std::vector<float> page(pageW * pageH, 0.0f);
  const int baseline = pixelSize + ascent;
  FT_Pos pen = pixelSize * 64;
  FT_UInt previous = 0;
  for (const char* p = text; *p; p++) {
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(*p));
    if (previous && FT_HAS_KERNING(face)) {
      FT_Vector kern;
      FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern);
      pen += kern.x;
    }
    previous = index;
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) {
      continue;
    }
    const FT_GlyphSlot slot = face->glyph;
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
  lettering->width = std::max(0, x1 - x0);
  lettering->height = std::max(0, y1 - y0);
  lettering->cover.assign(lettering->width * lettering->height, 0.0f);
  for (int y = 0; y < lettering->height; y++) {
    for (int x = 0; x < lettering->width; x++) {
      lettering->cover[y * lettering->width + x] = page[(y0 + y) * pageW + x0 + x];
    }
  }
  return true;
}

}  // namespace art
