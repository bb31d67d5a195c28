// font.h: the art generator's type, read and set with FreeType.
#pragma once

#include <string>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace art {

const int GLYPH_W = 7;
const int GLYPH_H = 14;

// The glyph cells of the misc-fixed 7x14 font: which pixels of byte c's
// 7 x 14 cell are set. Glyphs the font lacks stay empty.
struct CellFont {
  std::vector<bool> bits = std::vector<bool>(256 * GLYPH_W * GLYPH_H, false);
  bool At(int c, int x, int y) const { return bits[(c * GLYPH_H + y) * GLYPH_W + x]; }
};

// A line of text set in a smooth face: how much of each pixel the letters
// cover, 0 to 1, on the smallest box that holds them.
struct Lettering {
  int width = 0;
  int height = 0;
  std::vector<float> cover;
  float At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height ? cover[y * width + x] : 0.0f;
  }
};

// The generator's type: the 7x14 cell font of the font sheet, and the smooth
// display face of the level-complete panel (DejaVu Sans Bold, from
// fonts-dejavu-core). Both are read with FreeType when the generator starts.
class Type {
 public:
  Type() = default;
  Type(const Type&) = delete;
  Type& operator=(const Type&) = delete;
  ~Type();

  // Reads both fonts. False, with an error line printed, when one is missing.
  bool Read();
  // Sets a line of text in the display face at `pixelSize` pixels to the em,
  // antialiased.
  Lettering Set(const char* text, int pixelSize) const;

  CellFont cells;

 private:
  FT_LibraryRec_* library = nullptr;
  FT_FaceRec_* display = nullptr;
};

}  // namespace art
