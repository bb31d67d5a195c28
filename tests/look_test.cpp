// look_test.cpp: the look check finds each thing a player would see as
// unfinished, at its cell, and passes a finished room.
#include "picture/look.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "tests/board_text.h"
#include "tests/support.h"

namespace {

// A finished room 14 by 10 cells, its walls about the screen's middle: hero at
// (9, 7), a box at (11, 9), the place at (15, 9), floor wherever the walls
// close in, every cell moved by `shift` columns. `objects` and `ground` are
// laid over it, at their own cells.
std::string Room(int shift, std::vector<Cell> objects = {}, std::vector<Cell> ground = {}) {
  std::vector<Cell> room = {{9 + shift, 7, '@'}, {11 + shift, 9, '$'}};
  std::vector<Cell> floors;
  for (int column = 7; column <= 19; column += 2) {
    room.insert(room.end(), {{column + shift, 5, '#'}, {column + shift, 13, '#'}});
  }
  for (int row = 7; row <= 11; row += 2) {
    room.insert(room.end(), {{7 + shift, row, '#'}, {19 + shift, row, '#'}});
    for (int column = 9; column <= 17; column += 2) {
      floors.push_back({column + shift, row, column == 15 && row == 9 ? 'o' : '_'});
    }
  }
  objects.insert(objects.begin(), room.begin(), room.end());
  ground.insert(ground.begin(), floors.begin(), floors.end());
  return BoardText(objects, ground);
}

// The look check ends SDL when it is done; the tests that run after it in the
// same process find a display again.
class LookCheckTest : public testing::Test {
 protected:
  void TearDown() override {
    SDL_Init(SDL_INIT_VIDEO);
    SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, SDL_SWSURFACE);
  }
};

std::vector<std::string> Look(LookCheck* look, const std::string& text) {
  const std::string bytes = LevelBytes(text);
  return DescribeLevelProblems(text, look->Check(bytes));
}

TEST_F(LookCheckTest, EachUnfinishedSightIsToldAtItsCell) {
  LookCheck look;
  ASSERT_EQ(look.Unavailable(), "");
  // A room 15 pixels off centre, and a box standing exactly on a place, which
  // then shows the placed picture, are fine.
  EXPECT_EQ(Look(&look, Room(-1, {{12, 7, '$'}}, {{12, 7, 'o'}})), std::vector<std::string>());

  // Text lines: object row R is line R + 2, ground row R line R + 23.
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {Room(0, {}, {{13, 7, '.'}}),
       {"line 30, column 13: the background shows through inside the room at (column 13, row 7): "
        "2304 pixels with no floor"}},
      // Walls a cell apart leave slots where the background meets the floor.
      {Room(0, {{11, 5, '.'}, {13, 5, '.'}, {12, 5, '#'}}),
       {"line 29, column 11: the background shows through inside the room at (column 11, row 6): "
        "23 pixels with no floor",
        "line 29, column 14: the background shows through inside the room at (column 14, row 6): "
        "23 pixels with no floor"}},
      {Room(0, {}, {{15, 9, '_'}, {17, 9, 'o'}}),
       {"line 32, column 17: the place at (column 17, row 9) has 672 of its 2304 pixels hidden "
        "under walls and boxes at the start, more than a quarter"}},
      {Room(0, {{11, 9, '.'}, {15, 8, '$'}}),
       {"line 32, column 15: the place at (column 15, row 9) has 1152 of its 2304 pixels hidden "
        "under walls and boxes at the start, more than a quarter"}},
      {Room(-7),
       {"line 7, column 0: the wall at (column 0, row 5) loses its left 14 pixels to the screen's "
        "edge",
        "the room is off centre: its middle lies 152.0 pixels left of and 7.0 pixels above the "
        "screen's middle, more than a cell (24 pixels)"}},
      {Room(1),
       {"the room is off centre: its middle lies 33.0 pixels right of and 7.0 pixels above the "
        "screen's middle, more than a cell (24 pixels)"}},
      {Room(0, {{23, 1, '#'}, {1, 17, '#'}}),
       {"line 2, column 23: the room reaches under the HUD's top-right text (x 560-622, y 2-54) at "
        "(column 23, row 0)",
        "line 19, column 0: the room reaches under the HUD's bottom-left text (x 1-154, y 426-478) "
        "at (column 0, row 17)"}},
      // A wall across the room seals its right end.
      {Room(0, {{13, 7, '#'}, {13, 9, '#'}, {13, 11, '#'}, {11, 9, '.'}, {15, 9, '$'}},
            {{15, 9, '_'}, {9, 9, 'o'}}),
       {"line 11, column 15: the hero can never reach the box at (column 15, row 9)"}},
      {Room(0, {{13, 7, '#'}, {13, 9, '#'}, {13, 11, '#'}}),
       {"line 32, column 15: the hero can never bring a box to the place at (column 15, row 9)"}},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(expected.front());
    EXPECT_EQ(Look(&look, text), expected);
  }
}

TEST_F(LookCheckTest, WallShapeIsTheSameForTheSameWallsAnywhere) {
  EXPECT_EQ(WallShape(LevelBytes(Room(0))), WallShape(LevelBytes(Room(-2, {{11, 9, '.'}}))));
  EXPECT_NE(WallShape(LevelBytes(Room(0))), WallShape(LevelBytes(Room(0, {{13, 9, '#'}}))));
  EXPECT_EQ(WallShape(LevelBytes(BoardText({{3, 3, '@'}}))), "");
}

TEST_F(LookCheckTest, EveryLevelOfThePackLooksFinishedAndHasWallsOfItsOwn) {
  LookCheck look;
  std::istringstream list(ReadFile("level/standart/list"));
  std::map<std::string, std::string> shapes;
  for (std::string name; std::getline(list, name);) {
    SCOPED_TRACE(name);
    const std::string bytes = ReadFile("level/standart/" + name);
    EXPECT_EQ(DescribeLevelProblems(bytes, look.Check(bytes)), std::vector<std::string>());
    const auto [first, added] = shapes.emplace(WallShape(bytes), name);
    EXPECT_TRUE(added) << "the same walls as " << first->second;
  }
  EXPECT_GE(shapes.size(), 50u);
}

}  // namespace
