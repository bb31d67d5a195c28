// font_test.cpp: drawing text from a glyph sheet onto real surfaces.
#include "gfx/font.h"

#include <gtest/gtest.h>

#include "tests/glyphs.h"

namespace {

const int CELL = GLYPH_WIDTH * GLYPH_HEIGHT;

// A font on a full 16 x 16 cell sheet and a black 640 x 480 target.
class FontTest : public testing::Test, protected GlyphFont {
 protected:
  ~FontTest() override { SDL_FreeSurface(target); }
  SDL_Surface* target = SolidSurface(640, 480, 0, 0, 0);
};

TEST_F(FontTest, EachByteDrawsTheCellOfItsUnsignedValueOnTheSheetsGrid) {
  // A null sheet is ignored: the font keeps its sheet and glyph size.
  font.SetSheet(nullptr, 1, 1);
  EXPECT_EQ(font.DrawString(target, 10, 20, "Az~!\xc8\xff"), 0);
  EXPECT_EQ(ReadLines(target, 10, 20), "Az~!\xc8\xff");
  // Whole cells side by side, from exactly the given corner.
  EXPECT_EQ(Painted(target), 6 * CELL);
  EXPECT_EQ(CellAt(target, 16, 33), 'A');
  EXPECT_EQ(CellAt(target, 9, 20), -1);

  // Ten columns and three spare pixels: byte 23 is column 3 of row 2, and
  // byte 200 lies past the twelfth row, which ends the line.
  SDL_Surface* narrow = GlyphSheet(10, 12, 3);
  font.SetSheet(narrow, GLYPH_WIDTH, GLYPH_HEIGHT);
  EXPECT_EQ(font.DrawString(target, 0, 100, "\x17\xc8Z"), -1);
  EXPECT_EQ(CellAt(target, 0, 100), 3 + 16 * 2);
  EXPECT_EQ(Painted(target), 7 * CELL);
  SDL_FreeSurface(narrow);
}

TEST_F(FontTest, LinesEndAtTheSurfaceEdgesAndAreClippedByTheBlit) {
  // From x = 560 twelve glyphs start on the target, the last at 637.
  struct {
    int x, y;
    const char* text;
    int result, painted, checkX, checkY, cell;
  } cases[] = {{560, 0, "ABCDEFGHIJKL", 0, 11 * CELL + 3 * GLYPH_HEIGHT, 639, 13, 'L'},
               {560, 0, "ABCDEFGHIJKLM", -1, 11 * CELL + 3 * GLYPH_HEIGHT, 639, 13, 'L'},
               {0, 479, "A", 0, GLYPH_WIDTH, 0, 479, 'A'},
               {0, 480, "A", -1, 0, 0, 479, -1},
               {640, 0, "A", -1, 0, 639, 0, -1},
               {-3, -5, "AB", 0, 11 * 9, 4, 8, 'B'},
               {0, 0, "", 0, 0, 0, 0, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << "\" at " << c.x << ", " << c.y);
    SDL_FillRect(target, nullptr, 0);
    EXPECT_EQ(font.DrawString(target, c.x, c.y, c.text), c.result);
    EXPECT_EQ(Painted(target), c.painted);
    EXPECT_EQ(CellAt(target, c.checkX, c.checkY), c.cell);
  }

  // The edges are the surface's size, not its clip rectangle.
  SDL_Rect clip = {0, 0, 100, 100};
  SDL_SetClipRect(target, &clip);
  EXPECT_EQ(font.DrawString(target, 560, 200, "ABCDEFGHIJKL"), 0);
  EXPECT_EQ(Painted(target), 0);
}

TEST_F(FontTest, FontWithoutAUsableSheetRefusesAndDrawsNothing) {
  EXPECT_EQ(SDL_Font().DrawString(target, 0, 0, "A"), -1);
  // A sheet narrower than one glyph has no column to pick from.
  SDL_Surface* sliver = GlyphSheet(1, 16, -1);
  font.SetSheet(sliver, GLYPH_WIDTH, GLYPH_HEIGHT);
  EXPECT_EQ(font.DrawString(target, 0, 0, "A"), -1);
  font.SetSheet(sheet, 0, GLYPH_HEIGHT);
  EXPECT_EQ(font.DrawString(target, 0, 0, "A"), -1);
  font.SetSheet(sheet, GLYPH_WIDTH, -1);
  EXPECT_EQ(font.DrawString(target, 0, 0, "A"), -1);
  font.SetSheet(sheet, GLYPH_WIDTH, GLYPH_HEIGHT);
  EXPECT_EQ(font.DrawString(nullptr, 0, 0, "A"), -1);
  EXPECT_EQ(font.DrawString(target, 0, 0, nullptr), -1);
  EXPECT_EQ(Painted(target), 0);
  SDL_FreeSurface(sliver);
}

}  // namespace
