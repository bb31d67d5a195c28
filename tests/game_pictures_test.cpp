// game_pictures_test.cpp: the game's own pictures and its 7 x 14 font, loaded
// the way start-up loads them.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "gfx/font.h"
#include "tests/support.h"

namespace {

TEST(GamePictures, StartUpLoadsEachPictureFromItsFileAndDrawsTextIn7x14Cells) {
  GameHarness harness;
  CGame& game = harness.game;
  EXPECT_EQ(Output([&] { game.LoadImages(); }), "Loadind image data... OK\n");

  // Every picture shows its file's pixels; the background repeats its file
  // over the whole screen.
  const std::pair<SDL_Surface*, std::string> pictures[] = {
      {game.backImage, "back1"},  {game.winImage, "win"},       {game.heroImage, "hero"},
      {game.wallImage, "wall"},   {game.boxImage, "box"},       {game.placeImage, "place"},
      {game.floorImage, "floor"}, {game.cursorImage, "cursor"}, {game.fontSheet, "font7x14"}};
  for (const auto& [picture, name] : pictures) {
    SCOPED_TRACE(name);
    SDL_Surface* file = SDL_LoadBMP(("data/" + name + ".bmp").c_str());
    ASSERT_NE(file, nullptr);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->w, picture == game.backImage ? 640 : file->w);
    EXPECT_EQ(picture->h, picture == game.backImage ? 480 : file->h);
    for (int y = 0; y < picture->h; y++) {
      for (int x = 0; x < picture->w; x++) {
        ASSERT_TRUE(ColourNear(PixelAt(picture, x, y), PixelAt(file, x % file->w, y % file->h)))
            << x << "," << y;
      }
    }
    SDL_FreeSurface(file);
  }

  // Glyphs are 7 x 14 cells of the sheet, 16 to a row, magenta keyed out.
  const char text[] = "Ag";
  SDL_Surface* target = SolidSurface(14, 14, 0, 0, 0);
  EXPECT_EQ(game.font->DrawString(target, 0, 0, text), 0);
  for (int y = 0; y < 14; y++) {
    for (int x = 0; x < 14; x++) {
      const int c = text[x / 7];
      const Uint32 glyph = PixelAt(game.fontSheet, 7 * (c % 16) + x % 7, 14 * (c / 16) + y);
      ASSERT_TRUE(ColourNear(PixelAt(target, x, y), ColourNear(glyph, 0xff00ff) ? 0 : glyph))
          << x << "," << y;
    }
  }
  SDL_FreeSurface(target);
  game.FreeImages();
  delete game.font;
}

}  // namespace
