// tidy_test.cpp: a tidied room passes the look check, and what can't be
// tidied is told.
#include "generator/tidy.h"

#include <gtest/gtest.h>

#include "picture/look.h"
#include "tests/board_text.h"

namespace {

// A room 12 cells wide in the board's top-left corner, cut by the screen's
// edge, its bottom wall in row `bottom`: slots one cell wide in its top wall,
// a gap between two inner walls half a block apart, floor only where the
// hero stands.
Design CornerRoom(int bottom) {
  Design room;
  for (int column = 0; column <= 14; column += 2) {
    if (column != 6 && column != 8) {
      room.walls.push_back(AnchorAt(column, 0));
    }
    room.walls.push_back(AnchorAt(column, bottom));
  }
  room.walls.push_back(AnchorAt(7, 0));  // leaves columns 6 and 9 open
  for (int row = 2; row < bottom; row += 2) {
    room.walls.insert(room.walls.end(), {AnchorAt(0, row), AnchorAt(14, row)});
  }
  room.walls.insert(room.walls.end(), {AnchorAt(6, 4), AnchorAt(9, 4)});  // gap at column 8
  room.floors = {AnchorAt(2, 2), AnchorAt(4, 2), AnchorAt(2, 6), AnchorAt(4, 6)};
  room.places = {AnchorAt(10, 2)};
  room.boxes = {AnchorAt(4, 6)};
  room.hero = AnchorAt(2, 2);
  return room;
}

TEST(TidyTest, SlotsAndPitsCountAsInsideAndTheTidiedRoomLooksFinished) {
  Design room = CornerRoom(8);
  const AnchorSet inside = InsideCells(room.walls);
  EXPECT_TRUE(inside[AnchorAt(8, 5)]) << "the gap";
  EXPECT_TRUE(inside[AnchorAt(6, 0)] && inside[AnchorAt(9, 1)]) << "the slots";
  EXPECT_FALSE(inside[AnchorAt(20, 5)]);
  EXPECT_FALSE(inside[AnchorAt(3, 0)]) << "a wall's cell";

  ASSERT_TRUE(CentreRoom(&room));
  ASSERT_TRUE(CloseSlots(&room));
  ASSERT_TRUE(CentreRoom(&room));
  ASSERT_TRUE(FloorInside(&room));
  EXPECT_FALSE(UnderHudText(room));
  LookCheck look;
  ASSERT_EQ(look.Unavailable(), "");
  const std::string text = TextOf(room, "t", "a");
  EXPECT_EQ(DescribeLevelProblems(text, look.Check(LevelBytes(text))), std::vector<std::string>{});
  SDL_Init(SDL_INIT_VIDEO);
  SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, SDL_SWSURFACE);
}

TEST(TidyTest, ARoomTooTallForTheHudIsStillPutOnTheScreen) {
  // Walls 12 rows apart fit between the HUD's corners; 14 reach under one.
  for (int bottom : {12, 14}) {
    Design room = CornerRoom(bottom);
    ASSERT_TRUE(CloseSlots(&room));
    EXPECT_EQ(CentreRoom(&room), bottom == 12) << bottom;
    EXPECT_EQ(UnderHudText(room), bottom == 14) << bottom;
    for (int wall : room.walls) {
      EXPECT_GE(ColumnOf(wall), 1);
      EXPECT_GE(RowOf(wall), 1);
    }
  }
}

}  // namespace
