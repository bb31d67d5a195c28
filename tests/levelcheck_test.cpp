// levelcheck_test.cpp: every fault of a level is found once and told where it lies.
#include "board/levelcheck.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "board/replay.h"
#include "solver/solver.h"
#include "tests/board_text.h"
#include "tests/support.h"

namespace {

// A walled room with `header` and `objects` and `ground` drawn over it: hero at
// (2, 2), a box at (6, 4), floors on anchors 2 to 10 by 2 to 6 and the place at
// (10, 6). Without header lines object row R is line R + 2, ground row R line R + 23.
std::string Room(const std::string& header, std::vector<Cell> objects, std::vector<Cell> ground) {
  std::vector<Cell> walls = {{2, 2, '@'}, {6, 4, '$'}};
  std::vector<Cell> floors;
  for (int cell = 0; cell <= 12; cell += 2) {
    walls.insert(walls.end(), {{cell, 0, '#'}, {cell, 8, '#'}});
    if (cell >= 2 && cell <= 6) {
      walls.insert(walls.end(), {{0, cell, '#'}, {12, cell, '#'}});
      for (int column = 2; column <= 10; column += 2) {
        floors.push_back({column, cell, column == 10 && cell == 6 ? 'o' : '_'});
      }
    }
  }
  objects.insert(objects.begin(), walls.begin(), walls.end());
  ground.insert(ground.begin(), floors.begin(), floors.end());
  return BoardText(objects, ground, header);
}

struct TextCase {
  std::string header;
  std::vector<Cell> objects;
  std::vector<Cell> ground;
  std::string expected;
};

TEST(LevelCheck, EachFaultOfATextLevelIsToldAtItsLineAndColumn) {
  const TextCase cases[] = {
      {"hero 4 2\n", {}, {}, "line 1: no hero stands at the hero's anchor (column 4, row 2)"},
      {"hero 2 19\n",
       {},
       {},
       "line 1: the hero's anchor (column 2, row 19) lies outside columns 0-23 and rows 0-18"},
      {"hero 2 2\n", {{2, 2, '.'}}, {}, "line 1: the object layer holds no hero"},
      {"hero 2 2\n", {{8, 2, '@'}}, {}, "line 5, column 8: a second hero"},
      {"", {{24, 10, '#'}}, {}, "line 12, column 24: wall reaches off the board"},
      {"boxes 2\n", {}, {{2, 6, 'o'}}, "line 1: the box count is 2 but there are 1 boxes"},
      {"", {{6, 2, '$'}}, {}, "the box count is 2 but there are 1 places"},
      {"boxes 0\n", {}, {}, "line 1: the box count is 0, so no push is ever needed"},
      {"boxes 1\n", {{20, 12, '$'}}, {}, "line 15, column 20: box stands on no floor"},
      {"",
       {},
       {{6, 2, '.'}},
       "line 25, column 6: the hero can walk onto (column 6, row 2), which has no floor"},
      {"",
       {{0, 4, '.'}},
       {{0, 4, '_'}},
       "line 6, column 0: the hero can walk to the board's edge at (column 0, row 4) with no "
       "wall beyond"},
      {"", {}, {{6, 4, 'o'}}, "the level is solved at the start"},
  };
  for (const TextCase& test : cases) {
    SCOPED_TRACE(test.expected);
    const std::string text = Room(test.header, test.objects, test.ground);
    EXPECT_EQ(CheckLevelContents(text), std::vector{test.expected});
  }
}

// A wall at each place around the box at (6, 4): overlapping, the pair is told
// once, at the later anchor in reading order; touching, it is no fault.
TEST(LevelCheck, TwoObjectsOverlapInEveryPlacementOfHalfABlockAndNoOther) {
  for (int dy = -2; dy <= 2; dy++) {
    for (int dx = -2; dx <= 2; dx++) {
      const int column = 6 + dx;
      const int row = 4 + dy;
      const bool overlaps = std::abs(dx) <= 1 && std::abs(dy) <= 1;
      std::vector<std::string> expected;
      if (dx == 0 && dy == 0) {
        continue;
      } else if (overlaps && (dy > 0 || (dy == 0 && dx > 0))) {
        expected = {"line " + std::to_string(row + 2) + ", column " + std::to_string(column) +
                    ": wall overlaps the box at (column 6, row 4)"};
      } else if (overlaps) {
        expected = {"line 6, column 6: box overlaps the wall at (column " + std::to_string(column) +
                    ", row " + std::to_string(row) + ")"};
      }
      SCOPED_TRACE(testing::Message() << dx << ", " << dy);
      EXPECT_EQ(CheckLevelContents(Room("", {{column, row, '#'}}, {})), expected);
    }
  }
}

TEST(LevelCheck, EachFaultOfALevelFileIsToldAtItsPlaceInTheFile) {
  const int lengthsAt = 21;
  const int layersAt = 26;
  const std::pair<std::function<void(std::string*)>, std::vector<std::string>> cases[] = {
      {[](std::string* bytes) { (*bytes)[0] = 'W'; },
       {"wrong magic: expected 'VELM LEVEL PUZZLE ' at the start"}},
      {[](std::string* bytes) { bytes->resize(25); },
       {"the file ends after 25 bytes, inside the header"}},
      {[](std::string* bytes) { bytes->resize(1025); },
       {"the file ends after 1025 bytes, inside the layers of a 1026-byte level"}},
      {[](std::string* bytes) { *bytes += "xyz"; },
       {"3 bytes after the ground layer of a 1026-byte level"}},
      {[&](std::string* bytes) { bytes->replace(lengthsAt, 1, 1, 31); },
       {"info length 1: info text 1 has a length of 31, outside 0 to 30",
        "the file ends after 1026 bytes, inside the layers of a 1057-byte level"}},
      {[&](std::string* bytes) {
         bytes->replace(lengthsAt, 5, std::string{30, 127, 50, 50, 50});
         bytes->insert(layersAt, std::string(307, 'i'));
       },
       {}},
      {[&](std::string* bytes) {
         (*bytes)[layersAt + 24] = TILE_FLOOR;
         (*bytes)[layersAt + 999] = TILE_BOX;
       },
       {"object layer, column 24, row 0: kind 2 does not belong in the object layer",
        "ground layer, column 24, row 19: kind 4 does not belong in the ground layer"}},
      {[](std::string* bytes) { (*bytes)[18] = 4; },
       {"hero: no hero stands at the hero's anchor (column 4, row 2)"}},
  };
  for (const auto& [change, expected] : cases) {
    SCOPED_TRACE(testing::PrintToString(expected));
    std::string bytes = LevelBytes(Room("", {}, {}));
    change(&bytes);
    EXPECT_EQ(CheckLevelContents(bytes), expected);
  }
}

// A level may hold more boxes than its count. It is solved when exactly that
// many rest on places, no more: the checker, replay, the solver and the game
// agree. Here both boxes start on places, one too many.
TEST(LevelCheck, SpareBoxesSolveALevelOnlyWithExactlyItsCountPlaced) {
  const std::string text = Room("boxes 1\n", {{10, 6, '$'}}, {{6, 4, 'o'}});
  EXPECT_EQ(CheckLevelContents(text), std::vector<std::string>{});
  GameHarness harness;
  LoadBoardText(&harness.board, text);
  harness.game.screenState = GAME_PLAY;
  harness.board.CheckComplete();
  EXPECT_FALSE(IsSolved(harness.board));
  EXPECT_EQ(harness.game.screenState, GAME_PLAY);

  const SolveResult result = SolveLevel(harness.board, SolverOptions());
  EXPECT_EQ(result.pushCount, 1);
  std::string error;
  EXPECT_TRUE(ReplayMoves(&harness.board, result.moves, &error)) << error;
  EXPECT_TRUE(IsSolved(harness.board));
  harness.board.CheckComplete();
  EXPECT_EQ(harness.game.screenState, GAME_WIN);
}

}  // namespace
