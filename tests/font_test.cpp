// font_test.cpp: drawing text from a glyph sheet onto real surfaces.
#include "gfx/font.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/glyphs.h"
#include "tests/support.h"

namespace {

// A 7 x 14 font on a full 16 x 16 cell sheet and a black 640 x 480 target.
class FontTest : public testing::Test {
 protected:
  void SetUp() override {
    sheet = GlyphSheet(16, 16);
    target = SolidSurface(640, 480, 0, 0, 0);
    font.SetSheet(sheet, GLYPH_WIDTH, GLYPH_HEIGHT);
  }
  void TearDown() override {
    SDL_FreeSurface(target);
    SDL_FreeSurface(sheet);
  }

  // True when no pixel of the target was painted.
  bool Untouched() {
    for (int y = 0; y < target->h; ++y) {
      for (int x = 0; x < target->w; ++x) {
        if (PixelAt(target, x, y) != 0) {
          return false;
        }
      }
    }
    return true;
  }

  SDL_Font font;
  SDL_Surface* sheet = nullptr;
  SDL_Surface* target = nullptr;
};

TEST_F(FontTest, EachByteDrawsItsOwnCellWithoutSpacing) {
  EXPECT_EQ(font.DrawString(target, 10, 20, "Az~!"), 0);
  EXPECT_EQ(ReadText(target, 10, 20), "Az~!");

  // The whole 7 x 14 cell is drawn, the next glyph starts right after it and
  // nothing is drawn below the line.
  EXPECT_EQ(CellAt(target, 16, 33), 'A');
  EXPECT_EQ(CellAt(target, 17, 20), 'z');
  EXPECT_EQ(CellAt(target, 10, 34), -1);
  EXPECT_EQ(CellAt(target, 9, 20), -1);
}

TEST_F(FontTest, HighBytesPickCellsByTheirUnsignedValue) {
  const char text[] = {static_cast<char>(200), static_cast<char>(255), 0};
  EXPECT_EQ(font.DrawString(target, 0, 0, text), 0);
  // 200 is column 8 of row 12, 255 the last cell.
  EXPECT_EQ(CellAt(target, 0, 0), 200);
  EXPECT_EQ(CellAt(target, 7, 0), 255);
}

TEST_F(FontTest, ColumnCountComesFromTheSheetWidth) {
  // Ten cells to a row, plus three pixels too few for an eleventh.
  SDL_Surface* narrow = GlyphSheet(10, 26, 3);
  font.SetSheet(narrow, GLYPH_WIDTH, GLYPH_HEIGHT);
  EXPECT_EQ(font.DrawString(target, 0, 0, "\x17"), 0);
  // Byte 23 is column 3 of row 2 on this sheet.
  EXPECT_EQ(CellAt(target, 0, 0), 3 + 16 * 2);
  SDL_FreeSurface(narrow);
}

TEST_F(FontTest, LineAtTheRightEdgeIsCutAfterTheLastGlyphThatStartsOnIt) {
  // From x = 560 twelve glyphs start on a 640-wide target; the twelfth at 637.
  EXPECT_EQ(font.DrawString(target, 560, 0, "ABCDEFGHIJKL"), 0);
  EXPECT_EQ(font.DrawString(target, 560, 14, "ABCDEFGHIJKLM"), -1);
  EXPECT_EQ(ReadText(target, 560, 14), "ABCDEFGHIJKL");
  EXPECT_EQ(CellAt(target, 639, 14), 'L');
}

TEST_F(FontTest, EdgesAreTheSurfaceSizeNotItsClipRectangle) {
  SDL_Rect clip = {0, 0, 100, 100};
  SDL_SetClipRect(target, &clip);
  EXPECT_EQ(font.DrawString(target, 560, 200, "ABCDEFGHIJKL"), 0);
  EXPECT_TRUE(Untouched());
}

TEST_F(FontTest, LineAtOrBelowTheBottomDrawsNothing) {
  EXPECT_EQ(font.DrawString(target, 0, 480, "A"), -1);
  EXPECT_EQ(font.DrawString(target, 640, 0, "A"), -1);
  EXPECT_TRUE(Untouched());

  // A line that starts on the last row is drawn clipped.
  EXPECT_EQ(font.DrawString(target, 0, 479, "A"), 0);
  EXPECT_EQ(CellAt(target, 0, 479), 'A');
}

TEST_F(FontTest, NegativePositionsAreClippedByTheBlit) {
  EXPECT_EQ(font.DrawString(target, -3, -5, "AB"), 0);
  EXPECT_EQ(CellAt(target, 0, 0), 'A');
  EXPECT_EQ(CellAt(target, 3, 8), 'A');
  EXPECT_EQ(CellAt(target, 4, 0), 'B');
  EXPECT_EQ(CellAt(target, 4, 9), -1);

  // Wholly off the top-left corner: nothing to see, but nothing refused.
  EXPECT_EQ(font.DrawString(target, -100, -100, "AB"), 0);
}

TEST_F(FontTest, ByteBeyondTheSheetEndsTheLine) {
  // Eight rows hold bytes 0 to 127 only.
  SDL_Surface* half = GlyphSheet(16, 8);
  font.SetSheet(half, GLYPH_WIDTH, GLYPH_HEIGHT);
  const char text[] = {'A', 'B', static_cast<char>(200), 'C', 0};
  EXPECT_EQ(font.DrawString(target, 0, 0, text), -1);
  EXPECT_EQ(ReadText(target, 0, 0), "AB");
  SDL_FreeSurface(half);
}

TEST_F(FontTest, EmptyStringDrawsNothing) {
  EXPECT_EQ(font.DrawString(target, 0, 0, ""), 0);
  EXPECT_TRUE(Untouched());
}

TEST_F(FontTest, FontWithoutUsableSheetRefusesEveryString) {
  SDL_Font empty;
  EXPECT_EQ(empty.DrawString(target, 0, 0, "A"), -1);

  EXPECT_EQ(font.DrawString(nullptr, 0, 0, "A"), -1);
  EXPECT_EQ(font.DrawString(target, 0, 0, nullptr), -1);

  font.SetSheet(sheet, 0, GLYPH_HEIGHT);
  EXPECT_EQ(font.DrawString(target, 0, 0, "A"), -1);
  font.SetSheet(sheet, GLYPH_WIDTH, -1);
  EXPECT_EQ(font.DrawString(target, 0, 0, "A"), -1);

  font.SetSheet(sheet, GLYPH_WIDTH, GLYPH_HEIGHT);
  font.Clear();
  EXPECT_EQ(font.sheet, nullptr);
  EXPECT_EQ(font.DrawString(target, 0, 0, "A"), -1);
  EXPECT_TRUE(Untouched());
}

TEST_F(FontTest, SheetNarrowerThanOneGlyphIsRefused) {
  SDL_Surface* sliver = SolidSurface(GLYPH_WIDTH - 1, 224, 255, 255, 255);
  font.SetSheet(sliver, GLYPH_WIDTH, GLYPH_HEIGHT);
  EXPECT_EQ(font.DrawString(target, 0, 0, "A"), -1);
  EXPECT_TRUE(Untouched());
  SDL_FreeSurface(sliver);
}

TEST_F(FontTest, NullSheetKeepsTheFontAsItWas) {
  font.SetSheet(nullptr, 1, 1);
  EXPECT_EQ(font.sheet, sheet);
  EXPECT_EQ(font.glyphWidth, GLYPH_WIDTH);
  EXPECT_EQ(font.glyphHeight, GLYPH_HEIGHT);
  EXPECT_EQ(font.DrawString(target, 0, 0, "A"), 0);
  EXPECT_EQ(CellAt(target, 0, 0), 'A');
}

TEST_F(FontTest, AbsurdGlyphSizesStayInsideBothSurfaces) {
  // Glyph positions no longer fit 16 bits; whatever is drawn, it is clipped.
  font.SetSheet(sheet, GLYPH_WIDTH, INT_MAX);
  font.DrawString(target, 0, 0, "\xff\x80\x01");
  font.SetSheet(sheet, INT_MAX, GLYPH_HEIGHT);
  EXPECT_EQ(font.DrawString(target, 0, 0, "A"), -1);
  font.SetSheet(sheet, 70000, 70000);
  font.DrawString(target, INT_MIN, INT_MAX, "AAAA");
}

}  // namespace
