// image_test.cpp: loading pictures with magenta keyed out, and tiled textures.
#include <gtest/gtest.h>

#include <string>

#include "gfx/image.h"
#include "tests/support.h"

namespace {

// Saves a surface as a BMP under the test's temporary directory.
std::string SaveBmp(SDL_Surface* surface, const std::string& name) {
  std::string path = WriteTempFile(name, "");
  SDL_SaveBMP(surface, path.c_str());
  return path;
}

void Fill(SDL_Surface* surface, int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
  SDL_Rect area = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                   static_cast<Uint16>(h)};
  SDL_FillRect(surface, &area, SDL_MapRGB(surface->format, r, g, b));
}

// A 10 x 8 picture: red, with a green top-left pixel and a magenta hole at (5, 4).
std::string MarkedPicture() {
  SDL_Surface* picture = SolidSurface(10, 8, 255, 0, 0);
  Fill(picture, 0, 0, 1, 1, 0, 255, 0);
  Fill(picture, 5, 4, 1, 1, 255, 0, 255);
  std::string path = SaveBmp(picture, "marked.bmp");
  SDL_FreeSurface(picture);
  return path;
}

std::string Captured(void (*action)()) {
  testing::internal::CaptureStdout();
  action();
  return testing::internal::GetCapturedStdout();
}

class ImageTest : public testing::Test {
 protected:
  void SetUp() override { screen = DummyScreen(); }
  SDL_Surface* screen = nullptr;
};

TEST_F(ImageTest, LoadedPictureHasTheDisplayFormatAndMagentaIsTransparent) {
  SDL_Surface* picture = LoadImage(MarkedPicture().c_str());
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->format->BitsPerPixel, screen->format->BitsPerPixel);
  EXPECT_TRUE(picture->flags & SDL_SRCCOLORKEY);

  SDL_Surface* target = SolidSurface(10, 8, 0, 0, 255);
  SDL_UpperBlit(picture, nullptr, target, nullptr);
  EXPECT_TRUE(ColourNear(PixelAt(target, 0, 0), 0x00ff00));
  EXPECT_TRUE(ColourNear(PixelAt(target, 1, 0), 0xff0000));
  EXPECT_EQ(PixelAt(target, 5, 4), 0x0000ffu) << "the magenta pixel must let the blue through";
  SDL_FreeSurface(target);
  FreeImage(picture);
}

TEST_F(ImageTest, PalettePictureWithoutMagentaKeysTheNearestColour) {
  SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 1, 8, 0, 0, 0, 0);
  SDL_Color palette[3] = {{0, 0, 0, 0}, {250, 10, 240, 0}, {0, 200, 0, 0}};
  SDL_SetColors(picture, palette, 0, 3);
  static_cast<Uint8*>(picture->pixels)[0] = 1;
  static_cast<Uint8*>(picture->pixels)[1] = 2;
  static_cast<Uint8*>(picture->pixels)[2] = 1;
  static_cast<Uint8*>(picture->pixels)[3] = 0;
  std::string path = SaveBmp(picture, "palette.bmp");
  SDL_FreeSurface(picture);

  SDL_Surface* loaded = LoadImage(path.c_str());
  ASSERT_NE(loaded, nullptr);
  SDL_Surface* target = SolidSurface(4, 1, 0, 0, 255);
  SDL_UpperBlit(loaded, nullptr, target, nullptr);
  EXPECT_EQ(PixelAt(target, 0, 0), 0x0000ffu);
  EXPECT_TRUE(ColourNear(PixelAt(target, 1, 0), 0x00c800));
  EXPECT_EQ(PixelAt(target, 2, 0), 0x0000ffu);
  EXPECT_EQ(PixelAt(target, 3, 0), 0x000000u);
  SDL_FreeSurface(target);
  FreeImage(loaded);
}

TEST_F(ImageTest, MissingPictureReportsOneLineAndGivesNothing) {
  static SDL_Surface* result;
  std::string out = Captured([] { result = LoadImage("no/such/picture.bmp"); });
  EXPECT_EQ(result, nullptr);
  EXPECT_EQ(out, "ERROR LoadImage: can't load image no/such/picture.bmp\n");

  out = Captured([] { result = LoadTexture("no/such/back.bmp", 640, 480); });
  EXPECT_EQ(result, nullptr);
  EXPECT_EQ(out, "ERROR LoadTexture: can't load image no/such/back.bmp\n");
}

TEST_F(ImageTest, FileThatIsNotAPictureIsRefusedLikeAMissingOne) {
  static std::string path;
  path = WriteTempFile("not-a-picture.bmp", "BM this is text, not a picture");
  static SDL_Surface* result;
  std::string out = Captured([] { result = LoadImage(path.c_str()); });
  EXPECT_EQ(result, nullptr);
  EXPECT_EQ(out, "ERROR LoadImage: can't load image " + path + "\n");
}

TEST_F(ImageTest, TextureOfWholeMultiplesHoldsExactlyThatManyCopies) {
  SDL_Surface* texture = LoadTexture(MarkedPicture().c_str(), 30, 16);
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(texture->w, 30);
  EXPECT_EQ(texture->h, 16);
  EXPECT_EQ(texture->flags & SDL_SRCCOLORKEY, 0u) << "a texture has no colour key of its own";
  for (int y = 0; y < 16; y += 8) {
    for (int x = 0; x < 30; x += 10) {
      EXPECT_EQ(PixelAt(texture, x, y), ColourOn(texture, 0, 255, 0)) << x << "," << y;
      EXPECT_EQ(PixelAt(texture, x + 5, y + 4), 0u) << "magenta comes out black";
      EXPECT_EQ(PixelAt(texture, x + 9, y + 7), ColourOn(texture, 255, 0, 0));
    }
  }
  FreeImage(texture);
}

TEST_F(ImageTest, TextureEdgesClipPartialCopiesAndLargePicturesGiveOneCopy) {
  SDL_Surface* texture = LoadTexture(MarkedPicture().c_str(), 15, 5);
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(PixelAt(texture, 10, 0), ColourOn(texture, 0, 255, 0));
  EXPECT_EQ(PixelAt(texture, 14, 4), ColourOn(texture, 255, 0, 0));
  FreeImage(texture);

  texture = LoadTexture(MarkedPicture().c_str(), 4, 3);
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(PixelAt(texture, 0, 0), ColourOn(texture, 0, 255, 0));
  EXPECT_EQ(PixelAt(texture, 3, 2), ColourOn(texture, 255, 0, 0));
  FreeImage(texture);
}

TEST_F(ImageTest, TextureOfZeroSizeMakesNoCopies) {
  SDL_Surface* texture = LoadTexture(MarkedPicture().c_str(), 0, 0);
  if (texture) {
    EXPECT_EQ(texture->w, 0);
    FreeImage(texture);
  }
}

TEST_F(ImageTest, EmptyPictureIsRefusedInsteadOfTiledForever) {
  // A 24-bit BMP whose header says 0 x 1 pixels.
  std::string bmp = "BM";
  auto put32 = [&bmp](Uint32 value) {
    for (int i = 0; i < 4; i++) {
      bmp += static_cast<char>(value >> (8 * i) & 0xff);
    }
  };
  put32(54);
  put32(0);
  put32(54);
  put32(40);
  put32(0);
  put32(1);
  bmp += std::string("\x01\x00\x18\x00", 4);
  for (int i = 0; i < 6; i++) {
    put32(0);
  }
  static std::string path;
  path = WriteTempFile("empty.bmp", bmp);
  static SDL_Surface* result;
  std::string out = Captured([] { result = LoadTexture(path.c_str(), 640, 480); });
  EXPECT_EQ(result, nullptr);
  EXPECT_EQ(out, "ERROR LoadTexture: can't load image " + path + "\n");
}

TEST(FreeImage, IgnoresNull) { FreeImage(nullptr); }

}  // namespace
