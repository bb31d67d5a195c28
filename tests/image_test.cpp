// image_test.cpp: loading pictures with magenta keyed out, and tiled textures.
#include "gfx/image.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support.h"

namespace {

std::string SaveBmp(SDL_Surface* surface, const std::string& name) {
  std::string path = WriteTempFile(name, "");
  SDL_SaveBMP(surface, path.c_str());
  SDL_FreeSurface(surface);
  return path;
}

// A 10 x 8 red picture with a green top-left pixel and a magenta hole at (5, 4).
std::string MarkedPicture() {
  SDL_Surface* picture = SolidSurface(10, 8, 255, 0, 0);
  SDL_Rect corner = {0, 0, 1, 1}, hole = {5, 4, 1, 1};
  SDL_FillRect(picture, &corner, SDL_MapRGB(picture->format, 0, 255, 0));
  SDL_FillRect(picture, &hole, SDL_MapRGB(picture->format, 255, 0, 255));
  return SaveBmp(picture, "marked.bmp");
}

// What a picture shows when blitted onto blue.
Uint32 OverBlue(SDL_Surface* picture, int x, int y) {
  SDL_Surface* target = SolidSurface(picture->w, picture->h, 0, 0, 255);
  SDL_UpperBlit(picture, nullptr, target, nullptr);
  Uint32 colour = PixelAt(target, x, y);
  SDL_FreeSurface(target);
  return colour;
}

TEST(LoadImage, PalettePictureWithoutMagentaKeysTheNearestColour) {
  DummyScreen();
  SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 1, 8, 0, 0, 0, 0);
  SDL_Color palette[3] = {{0, 0, 0, 0}, {250, 10, 240, 0}, {0, 200, 0, 0}};
  SDL_SetColors(picture, palette, 0, 3);
  Uint8* pixels = static_cast<Uint8*>(picture->pixels);
  pixels[0] = 1, pixels[1] = 2, pixels[2] = 0;
  SDL_Surface* loaded = LoadImage(SaveBmp(picture, "palette.bmp").c_str());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(OverBlue(loaded, 0, 0), 0x0000ffu);
  EXPECT_TRUE(ColourNear(OverBlue(loaded, 1, 0), 0x00c800));
  EXPECT_EQ(OverBlue(loaded, 2, 0), 0x000000u);
  FreeImage(loaded);
}

TEST(LoadTexture, RepeatsThePictureRowByRowAndClipsAtTheEdges) {
  DummyScreen();
  const std::string path = MarkedPicture();
  // Copies at x = 0, 10 and 20 (cut) and y = 0 and 8 (cut); none at all.
  struct Case {
    int width, height;
  } cases[] = {{25, 12}, {0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    SDL_Surface* texture = LoadTexture(path.c_str(), c.width, c.height);
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(texture->w, c.width);
    EXPECT_FALSE(texture->flags & SDL_SRCCOLORKEY);
    for (int y = 0; y < c.height; y++) {
      for (int x = 0; x < c.width; x++) {
        // Each copy's corner is green, its magenta hole black, the rest red.
        Uint32 want = x % 10 == 0 && y % 8 == 0   ? 0x00ff00
                      : x % 10 == 5 && y % 8 == 4 ? 0
                                                  : 0xff0000;
        ASSERT_TRUE(ColourNear(PixelAt(texture, x, y), want)) << x << "," << y;
      }
    }
    FreeImage(texture);
  }
}

}  // namespace
