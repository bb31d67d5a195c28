// picture_test.cpp: level pictures are cropped to the room, halved, labelled
// and written as PNG files that read back pixel for pixel.
#include <gtest/gtest.h>
#include <png.h>

#include <vector>

#include "gfx/font.h"
#include "picture/png.h"
#include "picture/thumbnail.h"
#include "tests/board_text.h"
#include "tests/support.h"

namespace {

TEST(PictureTest, ThumbnailIsTheRoomAtHalfSizeAndReadsBackFromItsPng) {
  GameHarness harness;
  Output([&] { harness.game.LoadImages(); });
  // A wall's frame reaches 14 pixels above and left of its anchor cell.
  LoadBoardText(&harness.board, BoardText({{3, 4, '#'}, {7, 6, '#'}, {5, 4, '@'}}, {{5, 7, '_'}}));
  const SDL_Rect room = RoomBounds(harness.board);
  EXPECT_EQ(std::vector<int>({room.x, room.y, room.x + room.w, room.y + room.h}),
            std::vector<int>({3 * 24 - 14, 4 * 24 - 14, 7 * 24 + 48, 7 * 24 + 48}));

  SDL_Surface* picture = DrawThumbnail(&harness.board, 12);
  ASSERT_TRUE(picture);
  EXPECT_EQ(std::make_pair(picture->w, picture->h), std::make_pair(room.w / 2, room.h / 2));
  // The middle of the first wall's body, and the dark patch under the label.
  const Uint32 wall = PixelAt(harness.game.screen, 3 * 24 + 24, 4 * 24 + 24);
  EXPECT_TRUE(
      ColourNear(PixelAt(picture, (3 * 24 + 24 - room.x) / 2, (4 * 24 + 24 - room.y) / 2), wall));
  EXPECT_EQ(PixelAt(picture, 1, 15), 0u);
  EXPECT_NE(PixelAt(picture, 3, 5), PixelAt(picture, 1, 15)) << "no label";

  const std::string path = WriteTempFile("thumbnail.png", "");
  std::string error;
  ASSERT_TRUE(WritePng(picture, path.c_str(), &error)) << error;
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
  ASSERT_EQ(image.width, static_cast<png_uint_32>(picture->w));
  ASSERT_EQ(image.height, static_cast<png_uint_32>(picture->h));
  for (int y = 0; y < picture->h; y += 7) {
    for (int x = 0; x < picture->w; x += 5) {
      const png_byte* rgb = &pixels[3 * (y * picture->w + x)];
      ASSERT_EQ(PixelAt(picture, x, y), static_cast<Uint32>(rgb[0] << 16 | rgb[1] << 8 | rgb[2]));
    }
  }
  EXPECT_FALSE(WritePng(picture, "/nonexistent/dir/x.png", &error));
  SDL_FreeSurface(picture);
  harness.game.FreeImages();
  delete harness.game.font;
}

}  // namespace
