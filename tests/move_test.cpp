// move_test.cpp: the move and push rules: free steps, the three push cases, edges.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/board_text.h"

namespace {

// A direction, its step, and the row of the hero's sheet it then faces.
struct Way {
  int code;
  int dx;
  int dy;
  int facing;
};
const Way WAYS[] = {
    {DIR_UP, 0, -1, 0}, {DIR_DOWN, 0, 1, 1}, {DIR_LEFT, -1, 0, 2}, {DIR_RIGHT, 1, 0, 3}};

class MoveTest : public testing::Test {
 protected:
  void Given(const std::vector<Cell>& objects, const std::string& header = "") {
    LoadBoardText(&board, BoardText(objects, {}, header));
  }
  // Refused, with nothing changed: no entry, no counter, not even the facing.
  void ExpectRefused(int direction) {
    const std::string before = Describe(board);
    EXPECT_FALSE(board.Move(direction));
    EXPECT_EQ(Describe(board), before);
  }
  CLevel board;
};

TEST_F(MoveTest, APushMovesHeroAndBoxOneCellAndBothGlideFromWhereTheyStood) {
  // The box stands half beside the hero's path; ground ahead makes no difference.
  LoadBoardText(&board, BoardText({{6, 8, '@'}, {5, 6, '$'}}, {{6, 6, 'o'}, {7, 6, '_'}}));
  board.objectLayer[8][6].direction = DIR_RIGHT;

  EXPECT_TRUE(board.Move(DIR_UP));

  EXPECT_EQ(Counters(board), "hero 6,7 moves 1 pushes 1 journal 1 (200 205 5 6)");
  EXPECT_EQ(KindAt(board, 6, 8), TILE_NONE);
  EXPECT_EQ(KindAt(board, 5, 6), TILE_NONE);
  EXPECT_EQ(
      Describe(board.objectLayer[7][6]),
      "kind 1 at 130,178 size 62x62 speed 150 row 0 frame 0 direction 200 gliding to 130,154");
  EXPECT_EQ(
      Describe(board.objectLayer[5][5]),
      "kind 4 at 106,130 size 62x62 speed 150 row 0 frame 0 direction 200 gliding to 106,106");
}

// In every direction the box stands straight ahead (case A) or half a box to
// either side (B, C). A wall or box in the side cell across from it, or in a
// cell beyond it, stops the push; so does a place's byte in the object layer,
// but only to the right. That byte where the box would be stops a free step.
TEST_F(MoveTest, EveryPushCaseInEveryDirectionMovesOneBoxUnlessBlocked) {
  const int x = 12;
  const int y = 9;
  for (const Way& way : WAYS) {
    const int acrossX = way.dy != 0;
    const int acrossY = way.dx != 0;
    for (int offset : {0, -1, 1}) {
      SCOPED_TRACE(std::to_string(way.code) + " case " + "BAC"[offset + 1]);
      const int boxX = x + 2 * way.dx + offset * acrossX;
      const int boxY = y + 2 * way.dy + offset * acrossY;
      Given({{x, y, '@'}, {boxX, boxY, 'o'}});
      ExpectRefused(way.code);

      Given({{x, y, '@'}, {boxX, boxY, '$'}});
      ASSERT_TRUE(board.Move(way.code));
      EXPECT_EQ(KindAt(board, boxX, boxY), TILE_NONE);
      EXPECT_EQ(KindAt(board, boxX + way.dx, boxY + way.dy), TILE_BOX);
      EXPECT_EQ(KindAt(board, x + way.dx, y + way.dy), TILE_HERO);
      EXPECT_EQ(board.objectLayer[y + way.dy][x + way.dx].row, way.facing);
      EXPECT_EQ(std::make_pair(board.undoJournal[0].boxX, board.undoJournal[0].boxY),
                std::make_pair(boxX, boxY));

      std::vector<Cell> blockers;
      if (offset != 0) {
        blockers.push_back(
            {x + 2 * way.dx - offset * acrossX, y + 2 * way.dy - offset * acrossY, '?'});
      }
      for (int k : {-1, 0, 1}) {
        blockers.push_back({boxX + 2 * way.dx + k * acrossX, boxY + 2 * way.dy + k * acrossY, '?'});
      }
      for (Cell blocker : blockers) {
        for (char what : {'#', '$', 'o'}) {
          SCOPED_TRACE(testing::Message()
                       << what << " at " << blocker.column << "," << blocker.row);
          blocker.what = what;
          Given({{x, y, '@'}, {boxX, boxY, '$'}, blocker});
          if (what == 'o' && way.code != DIR_RIGHT) {
            EXPECT_TRUE(board.Move(way.code));
          } else {
            ExpectRefused(way.code);
          }
        }
      }
    }
  }
}

TEST_F(MoveTest, AGlidingHeroAndUnknownCodesMoveNothing) {
  Given({{6, 8, '@'}});
  for (int code : {0, 201, 206, -200}) {
    ExpectRefused(code);
  }
  ASSERT_TRUE(board.Move(DIR_UP));
  for (const Way& way : WAYS) {
    ExpectRefused(way.code);
  }
  board.AnimateTiles(1);  // ends every glide
  EXPECT_TRUE(board.Move(DIR_UP));
}

// Levels need no border walls: a cell off the grid counts as empty, yet no
// anchor ever leaves columns 0 to 23 and rows 0 to 18, and a header that puts
// the hero off the grid or where no hero tile stands moves nothing.
TEST_F(MoveTest, NothingEverLeavesTheGridNorMovesWithoutAHero) {
  const struct {
    std::vector<Cell> objects;
    int direction;
    bool allowed;
    std::string header = "";
  } scenes[] = {
      // clang-format off
      {{{4, 1, '@'}}, DIR_UP, true},     {{{4, 0, '@'}}, DIR_UP, false},
      {{{1, 4, '@'}}, DIR_LEFT, true},   {{{0, 4, '@'}}, DIR_LEFT, false},
      {{{4, 17, '@'}}, DIR_DOWN, true},  {{{4, 18, '@'}}, DIR_DOWN, false},
      {{{22, 4, '@'}}, DIR_RIGHT, true}, {{{23, 4, '@'}}, DIR_RIGHT, false},
      {{{4, 3, '@'}, {4, 1, '$'}}, DIR_UP, true},
      {{{4, 2, '@'}, {4, 0, '$'}}, DIR_UP, false},     {{{2, 0, '@'}, {0, 0, '$'}}, DIR_LEFT, false},
      {{{5, 16, '@'}, {5, 18, '$'}}, DIR_DOWN, false}, {{{8, 17, '@'}, {8, 19, '$'}}, DIR_DOWN, false},
      {{{21, 5, '@'}, {23, 5, '$'}}, DIR_RIGHT, false},
      {{{23, 7, '@'}, {24, 5, '$'}}, DIR_UP, false},  // a box poking off the grid
      {{{24, 5, '@'}}, DIR_LEFT, false, "hero 24 5\n"},
      {{{9, 9, '@'}}, DIR_DOWN, false, "hero 7 7\n"},
      {{}, DIR_RIGHT, false, "hero 255 255\n"},
      // clang-format on
  };
  for (const auto& scene : scenes) {
    SCOPED_TRACE(&scene - scenes);
    Given(scene.objects, scene.header);
    if (scene.allowed) {
      EXPECT_TRUE(board.Move(scene.direction));
    } else {
      ExpectRefused(scene.direction);
    }
  }
}

}  // namespace
