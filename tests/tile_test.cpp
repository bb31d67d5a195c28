// tile_test.cpp: placing a tile, its glide with walk frames, and the three draws.
#include "gfx/tile.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support.h"

namespace {

// A hero tile at rest at (100, 100), about to glide 24 pixels in `direction`.
Tile StartGlide(int kind, int direction) {
  Tile tile;
  tile.Init(100, 100, OBJECT_FRAME, OBJECT_FRAME, kind);
  tile.destX = tile.x;
  tile.destY = tile.y;
  switch (direction) {
    case DIR_UP:
      tile.destY -= 24;
      break;
    case DIR_DOWN:
      tile.destY += 24;
      break;
    case DIR_LEFT:
      tile.destX -= 24;
      break;
    case DIR_RIGHT:
      tile.destX += 24;
      break;
  }
  tile.direction = direction;
  tile.moving = 1;
  return tile;
}

// Animates with the given frame times, cycling through them, until the glide
// ends (or 1000 frames pass); returns the walk frame shown after each frame.
std::vector<int> Glide(Tile& tile, const std::vector<float>& frameTimes) {
  std::vector<int> frames;
  for (size_t i = 0; tile.moving && i < 1000; i++) {
    tile.Animate(frameTimes[i % frameTimes.size()]);
    frames.push_back(tile.frame);
  }
  return frames;
}

// Seconds that give exactly 2 and 5 pixels a frame at 150 px/s.
const float TWO_PIXELS = 0.016f;
const float FIVE_PIXELS = 0.034f;

TEST(TileInit, HeroFacesDownAndEveryOtherKindUsesRowZero) {
  for (int kind :
       std::vector<int>{TILE_NONE, TILE_HERO, TILE_FLOOR, TILE_WALL, TILE_BOX, TILE_PLACE, 6}) {
    Tile tile;
    tile.row = 3;
    tile.frame = 2;
    tile.Init(-14, 34, OBJECT_FRAME, OBJECT_FRAME, kind);
    EXPECT_EQ(tile.row, kind == TILE_HERO ? 1 : 0) << "kind " << kind;
    EXPECT_EQ(tile.frame, 0);
    EXPECT_EQ(tile.speed, 150);
    EXPECT_EQ(tile.x, -14);
    EXPECT_EQ(tile.y, 34);
    EXPECT_EQ(tile.w, 62);
  }
}

TEST(TileInit, EndsAGlideButKeepsItsDestinationAndDirection) {
  Tile tile = StartGlide(TILE_HERO, DIR_LEFT);
  tile.Animate(0.004f);
  tile.Init(10, 20, OBJECT_FRAME, OBJECT_FRAME, TILE_BOX);
  EXPECT_EQ(tile.moving, 0);
  EXPECT_EQ(tile.destX, 76);
  EXPECT_EQ(tile.direction, DIR_LEFT);

  // Time saved up by the ended glide does not hurry the next one.
  tile.destX = -14;
  tile.moving = 1;
  tile.Animate(0.004f);
  EXPECT_EQ(tile.x, 10);
}

TEST(TileGlide, AtTwoPixelsAFrameTheWalkCycleFollowsTheRemainingDistance) {
  Tile tile = StartGlide(TILE_HERO, DIR_UP);
  std::vector<int> frames;
  for (int i = 0; i < 12; i++) {
    tile.Animate(TWO_PIXELS);
    frames.push_back(tile.frame);
  }
  EXPECT_EQ(frames, (std::vector<int>{3, 3, 3, 2, 2, 2, 1, 1, 1, 0, 0, 0}));
  EXPECT_EQ(tile.y, 76);
  EXPECT_EQ(tile.moving, 1) << "landing exactly on the destination is not yet the end";

  tile.Animate(TWO_PIXELS);
  EXPECT_EQ(tile.y, 76);
  EXPECT_EQ(tile.moving, 0);
  EXPECT_EQ(tile.frame, 0);
}

TEST(TileGlide, AtFivePixelsAFrameEveryDirectionEndsInTheFifthFrame) {
  struct Case {
    int direction;
    float dx, dy;
  };
  for (const Case& c :
       {Case{DIR_UP, 0, -1}, Case{DIR_DOWN, 0, 1}, Case{DIR_LEFT, -1, 0}, Case{DIR_RIGHT, 1, 0}}) {
    Tile tile = StartGlide(TILE_HERO, c.direction);
    std::vector<int> frames;
    for (int i = 1; i <= 4; i++) {
      tile.Animate(FIVE_PIXELS);
      frames.push_back(tile.frame);
      EXPECT_EQ(tile.x, 100 + c.dx * 5 * i) << "direction " << c.direction;
      EXPECT_EQ(tile.y, 100 + c.dy * 5 * i) << "direction " << c.direction;
    }
    EXPECT_EQ(frames, (std::vector<int>{3, 2, 1, 0})) << "direction " << c.direction;
    EXPECT_EQ(tile.moving, 1);

    tile.Animate(FIVE_PIXELS);
    EXPECT_EQ(tile.x, 100 + c.dx * 24);
    EXPECT_EQ(tile.y, 100 + c.dy * 24);
    EXPECT_EQ(tile.moving, 0);
    EXPECT_EQ(tile.frame, 0);
  }
}

TEST(TileGlide, TwentyMillisecondsAsAFloatMoveTwoPixels) {
  Tile tile = StartGlide(TILE_BOX, DIR_RIGHT);
  tile.Animate(0.020f);
  EXPECT_EQ(tile.x, 102);
}

TEST(TileGlide, AStepLongerThanTheDistanceEndsOnTheDestinationAtOnce) {
  Tile tile = StartGlide(TILE_HERO, DIR_DOWN);
  tile.Animate(0.5f);
  EXPECT_EQ(tile.y, 124);
  EXPECT_EQ(tile.moving, 0);
  EXPECT_EQ(tile.frame, 0);
}

TEST(TileGlide, OneMillisecondFramesStillArriveAtAboutTheUsualSpeed) {
  Tile tile = StartGlide(TILE_HERO, DIR_LEFT);
  std::vector<int> frames = Glide(tile, {0.001f});

  EXPECT_EQ(tile.x, 76);
  EXPECT_EQ(tile.moving, 0);
  EXPECT_EQ(tile.frame, 0);
  // 24 pixels and the one that carries it past take 25 / 150 s.
  EXPECT_GE(frames.size(), 165u) << frames.size();
  EXPECT_LE(frames.size(), 170u) << frames.size();
  // The walk cycle still runs down once, after frame 0 while the first pixel
  // is not yet due: 0 ... 0, 3 ... 3, 2 ... 2, 1 ... 1, 0 ... 0.
  std::vector<int> cycle;
  for (int frame : frames) {
    if (cycle.empty() || cycle.back() != frame) {
      cycle.push_back(frame);
    }
  }
  EXPECT_EQ(cycle, (std::vector<int>{0, 3, 2, 1, 0}));
}

TEST(TileGlide, MixedTinyFramesEndExactlyOnTheDestination) {
  Tile tile = StartGlide(TILE_HERO, DIR_DOWN);
  std::vector<int> frames = Glide(tile, {0.0004f, 0.006f, 0.0013f, 0.0031f, 0.0002f});

  EXPECT_EQ(tile.y, 124);
  EXPECT_EQ(tile.moving, 0);
  EXPECT_EQ(tile.frame, 0);
  // The cycle averages 2.2 ms a frame: about 76 frames for 25 pixels.
  EXPECT_GE(frames.size(), 65u);
  EXPECT_LE(frames.size(), 85u) << frames.size();
}

TEST(TileGlide, AFrameLongEnoughForItsOwnPixelsMovesExactlyThoseAfterTinyOnes) {
  Tile tile = StartGlide(TILE_BOX, DIR_UP);
  tile.Animate(0.004f);
  EXPECT_EQ(tile.y, 100);
  tile.Animate(0.016f);
  EXPECT_EQ(tile.y, 98);
  tile.Animate(0.004f);
  EXPECT_EQ(tile.y, 97) << "the time saved before is used by the next tiny frame";
}

TEST(TileGlide, ABoxGlidesLikeTheHeroButKeepsFrameZero) {
  Tile tile = StartGlide(TILE_BOX, DIR_RIGHT);
  std::vector<int> frames = Glide(tile, {TWO_PIXELS});
  EXPECT_EQ(frames, std::vector<int>(13, 0));
  EXPECT_EQ(tile.x, 124);
  EXPECT_EQ(tile.moving, 0);
}

TEST(TileGlide, OnlyHeroesAndBoxesGlide) {
  for (int kind : std::vector<int>{TILE_NONE, TILE_FLOOR, TILE_WALL, TILE_PLACE, 6, 255}) {
    Tile tile = StartGlide(kind, DIR_UP);
    tile.Animate(FIVE_PIXELS);
    tile.Animate(0.001f);
    EXPECT_EQ(tile.y, 100) << "kind " << kind;
    EXPECT_EQ(tile.moving, 1) << "kind " << kind;
  }
}

TEST(TileGlide, ARestingTileStaysPut) {
  Tile tile = StartGlide(TILE_HERO, DIR_UP);
  tile.moving = 0;
  tile.Animate(FIVE_PIXELS);
  EXPECT_EQ(tile.y, 100);
}

// The colour of frame (column, row) of a synthetic sheet, in one of its three
// parts: the upper-left 48 x 48 body, the 14 x 14 lower-left rim corner, and
// the strips along the right and bottom edges.
enum Part { BODY = 0, CORNER = 1, STRIP = 2 };
Uint8 Red(int column) {
  return static_cast<Uint8>(24 + 56 * column);
}
Uint8 Green(int row) {
  return static_cast<Uint8>(24 + 56 * row);
}
Uint8 Blue(Part part) {
  return static_cast<Uint8>(60 + 80 * part);
}

void Fill(SDL_Surface* surface, int x, int y, int w, int h, int column, int row, Part part) {
  SDL_Rect area = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                   static_cast<Uint16>(h)};
  SDL_FillRect(surface, &area, SDL_MapRGB(surface->format, Red(column), Green(row), Blue(part)));
}

// A sheet of columns x rows frames of size x size pixels, every frame and
// part in its own colour.
SDL_Surface* Sheet(int columns, int rows, int size) {
  SDL_Surface* sheet = SolidSurface(columns * size, rows * size, 0, 0, 0);
  for (int row = 0; row < rows; row++) {
    for (int column = 0; column < columns; column++) {
      const int left = column * size;
      const int top = row * size;
      Fill(sheet, left, top, size, size, column, row, STRIP);
      Fill(sheet, left, top, 48, 48, column, row, BODY);
      if (size > 48) {
        Fill(sheet, left, top + 48, 14, size - 48, column, row, CORNER);
      }
    }
  }
  return sheet;
}

class TileDrawTest : public testing::Test {
 protected:
  void SetUp() override {
    screen = harness.game.screen;
    harness.game.heroImage = Sheet(4, 4, 62);
    harness.game.boxImage = Sheet(1, 2, 62);
    harness.game.wallImage = Sheet(1, 2, 62);
    harness.game.placeImage = Sheet(1, 1, 48);
    harness.game.floorImage = Sheet(1, 1, 48);
    SDL_FillRect(screen, nullptr, 0);
  }
  void TearDown() override {
    for (SDL_Surface* sheet :
         {harness.game.heroImage, harness.game.boxImage, harness.game.wallImage,
          harness.game.placeImage, harness.game.floorImage}) {
      SDL_FreeSurface(sheet);
    }
  }

  Uint32 Expected(int column, int row, Part part) {
    return ColourOn(screen, Red(column), Green(row), Blue(part));
  }
  Uint32 At(int x, int y) { return PixelAt(screen, x, y); }

  GameHarness harness;
  SDL_Surface* screen = nullptr;
  const Uint32 black = 0;
};

TEST_F(TileDrawTest, FullDrawShowsTheWholeFrameOfTheHerosRowAndWalkFrame) {
  Tile hero;
  hero.Init(100, 60, OBJECT_FRAME, OBJECT_FRAME, TILE_HERO);
  hero.frame = 2;
  hero.row = 3;
  hero.DrawFull(screen);

  EXPECT_EQ(At(100, 60), Expected(2, 3, BODY));
  EXPECT_EQ(At(147, 107), Expected(2, 3, BODY));
  EXPECT_EQ(At(100, 121), Expected(2, 3, CORNER));
  EXPECT_EQ(At(161, 121), Expected(2, 3, STRIP));
  EXPECT_EQ(At(99, 60), black);
  EXPECT_EQ(At(162, 60), black);
  EXPECT_EQ(At(100, 122), black);
}

TEST_F(TileDrawTest, BodyAndRimCornerDrawOnlyTheirSquaresAtTheirPlaceInTheFrame) {
  Tile box;
  box.Init(100, 60, OBJECT_FRAME, OBJECT_FRAME, TILE_BOX);
  box.row = 1;
  box.DrawBody(screen);
  EXPECT_EQ(At(100, 60), Expected(0, 1, BODY));
  EXPECT_EQ(At(147, 107), Expected(0, 1, BODY));
  EXPECT_EQ(At(148, 60), black);
  EXPECT_EQ(At(100, 108), black);

  SDL_FillRect(screen, nullptr, 0);
  box.DrawRimCorner(screen);
  EXPECT_EQ(At(100, 108), Expected(0, 1, CORNER));
  EXPECT_EQ(At(113, 121), Expected(0, 1, CORNER));
  EXPECT_EQ(At(114, 121), black);
  EXPECT_EQ(At(100, 107), black);
}

TEST_F(TileDrawTest, WallsUseTheFirstSheetRowWhateverTheirRow) {
  Tile wall;
  wall.Init(100, 60, OBJECT_FRAME, OBJECT_FRAME, TILE_WALL);
  wall.row = 1;
  wall.DrawFull(screen);
  EXPECT_EQ(At(100, 60), Expected(0, 0, BODY));
}

TEST_F(TileDrawTest, FloorDrawsOnlyItsWholeFrame) {
  Tile floor;
  floor.Init(48, 24, GROUND_FRAME, GROUND_FRAME, TILE_FLOOR);
  floor.DrawBody(screen);
  floor.DrawRimCorner(screen);
  EXPECT_EQ(At(48, 24), black);

  floor.DrawFull(screen);
  EXPECT_EQ(At(48, 24), Expected(0, 0, BODY));
  EXPECT_EQ(At(95, 71), Expected(0, 0, BODY));
  EXPECT_EQ(At(96, 71), black);
  EXPECT_EQ(At(95, 72), black);
}

TEST_F(TileDrawTest, AFrameAboveAndLeftOfTheScreenIsCutAtTheEdges) {
  Tile wall;
  wall.Init(-14, -14, OBJECT_FRAME, OBJECT_FRAME, TILE_WALL);
  wall.DrawFull(screen);
  EXPECT_EQ(At(0, 0), Expected(0, 0, BODY));
  EXPECT_EQ(At(33, 33), Expected(0, 0, BODY));
  EXPECT_EQ(At(34, 34), Expected(0, 0, STRIP));
  EXPECT_EQ(At(0, 34), Expected(0, 0, STRIP)) << "the rim corner lies left of the screen";
  EXPECT_EQ(At(0, 48), black);
}

TEST_F(TileDrawTest, APositionBetweenPixelsIsCutDownToAWholePixel) {
  Tile box;
  box.Init(0, 0, OBJECT_FRAME, OBJECT_FRAME, TILE_BOX);
  box.x = 100.75f;
  box.y = 60.5f;
  box.DrawFull(screen);
  EXPECT_EQ(At(100, 60), Expected(0, 0, BODY));
  EXPECT_EQ(At(99, 60), black);
  EXPECT_EQ(At(100, 59), black);
}

TEST_F(TileDrawTest, KindsWithoutAPictureNeverDraw) {
  for (int kind : std::vector<int>{TILE_NONE, 6, 200, -1}) {
    Tile tile;
    tile.Init(100, 60, OBJECT_FRAME, OBJECT_FRAME, kind);
    tile.DrawFull(screen);
    tile.DrawBody(screen);
    tile.DrawRimCorner(screen);
    EXPECT_EQ(At(100, 60), black) << "kind " << kind;
    EXPECT_EQ(At(100, 110), black) << "kind " << kind;
  }
}

TEST_F(TileDrawTest, AMissingPictureGameOrTargetDrawsNothing) {
  Tile hero;
  hero.Init(100, 60, OBJECT_FRAME, OBJECT_FRAME, TILE_HERO);
  hero.DrawFull(nullptr);

  SDL_Surface* sheet = harness.game.heroImage;
  harness.game.heroImage = nullptr;
  hero.DrawFull(screen);
  EXPECT_EQ(At(100, 60), black);
  harness.game.heroImage = sheet;

  theGame = nullptr;
  hero.DrawFull(screen);
  hero.DrawBody(screen);
  hero.DrawRimCorner(screen);
  EXPECT_EQ(At(100, 60), black);
}

}  // namespace
