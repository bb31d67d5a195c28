// tile_test.cpp: placing a tile and its glide with walk frames (the draws are
// checked on pixels with the board in board_draw_test.cpp).
#include "gfx/tile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A tile at (100, 100) set off on a 24-pixel glide.
Tile StartGlide(int kind, int direction) {
  Tile tile;
  tile.Init(100, 100, OBJECT_FRAME, OBJECT_FRAME, kind);
  tile.destX = direction == DIR_LEFT ? 76 : direction == DIR_RIGHT ? 124 : 100;
  tile.destY = direction == DIR_UP ? 76 : direction == DIR_DOWN ? 124 : 100;
  tile.direction = direction;
  tile.moving = 1;
  return tile;
}

// The walk frame shown and the pixels covered after each frame.
struct Trace {
  std::vector<int> frames, moved;
};

// Animates with the frame times in turn until the glide ends or `limit` frames pass.
Trace Glide(Tile& tile, const std::vector<float>& frameTimes, size_t limit = 1000) {
  Trace trace;
  for (size_t i = 0; tile.moving && i < limit; i++) {
    tile.Animate(frameTimes[i % frameTimes.size()]);
    trace.frames.push_back(tile.frame);
    trace.moved.push_back(static_cast<int>(std::fabs(tile.x - 100) + std::fabs(tile.y - 100)));
  }
  return trace;
}

TEST(TileInit, EndsAnyGlideWithItsSavedTimeAndFacesAHeroDown) {
  for (int kind : {TILE_HERO, TILE_BOX, TILE_WALL}) {
    Tile tile = StartGlide(TILE_HERO, DIR_LEFT);
    tile.Animate(0.020f);  // mid-stride
    tile.Animate(0.004f);  // too short for a pixel: the time is saved up
    tile.Init(100, 100, OBJECT_FRAME, OBJECT_FRAME, kind);
    EXPECT_EQ(tile.row, kind == TILE_HERO ? 1 : 0) << "kind " << kind;
    EXPECT_EQ(tile.moving, 0);
    EXPECT_EQ(tile.frame, 0);
    tile.moving = 1;
    tile.Animate(0.004f);
    EXPECT_EQ(tile.x, 100) << "time saved before Init hurries the next glide";
  }
}

TEST(TileGlide, MovesWholePixelsAndEndsInTheFrameThatCarriesItPastTheDestination) {
  const std::vector<int> twos = {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 24};
  struct Case {
    int kind, direction;
    std::vector<float> frameTimes;
    std::vector<int> frames, moved;
  };
  // 0.020 s as a float lies just below 0.02 and must still give 2 pixels.
  const Case cases[] = {
      {TILE_HERO, DIR_UP, {0.020f}, {3, 3, 3, 2, 2, 2, 1, 1, 1, 0, 0, 0, 0}, twos},
      {TILE_BOX, DIR_RIGHT, {0.020f}, std::vector<int>(13, 0), twos},
      {TILE_HERO, DIR_LEFT, {0.034f}, {3, 2, 1, 0, 0}, {5, 10, 15, 20, 24}},
      // A long frame carries the hero home mid-stride: at rest, walk frame 0.
      {TILE_HERO, DIR_RIGHT, {0.020f, 0.5f}, {3, 0}, {2, 24}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "direction " << c.direction << " at " << c.frameTimes[0]);
    Tile tile = StartGlide(c.kind, c.direction);
    const Trace trace = Glide(tile, c.frameTimes);
    EXPECT_EQ(trace.frames, c.frames);
    EXPECT_EQ(trace.moved, c.moved);
  }
}

TEST(TileGlide, FramesTooShortForAPixelSaveTheirTimeSoTheGlideStillEnds) {
  // 1 ms frames: 25 pixels (24 and the one past) take about 25 / 150 s, and
  // the walk cycle still runs down once, after frame 0 while no pixel is due.
  Tile tile = StartGlide(TILE_HERO, DIR_LEFT);
  Trace trace = Glide(tile, {0.001f});
  EXPECT_EQ(tile.x, 76);
  EXPECT_EQ(tile.moving, 0);
  EXPECT_NEAR(trace.frames.size(), 167, 3);
  trace.frames.erase(std::unique(trace.frames.begin(), trace.frames.end()), trace.frames.end());
  EXPECT_EQ(trace.frames, (std::vector<int>{0, 3, 2, 1, 0}));

  // A frame long enough for its own pixels moves just those; the saved time
  // waits for the next short frame.
  tile = StartGlide(TILE_BOX, DIR_UP);
  EXPECT_EQ(Glide(tile, {0.004f, 0.016f, 0.004f}, 3).moved, (std::vector<int>{0, 2, 3}));
}

TEST(TileGlide, AHeroAtRestStaysWhereItIsWhateverItsLastGlide) {
  Tile tile = StartGlide(TILE_HERO, DIR_UP);
  tile.moving = 0;
  tile.Animate(0.034f);
  EXPECT_EQ(tile.y, 100);
}

}  // namespace
