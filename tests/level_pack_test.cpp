// level_pack_test.cpp: the shipped levels are what their sources build, pass
// every check, come in the order of their figures, and their stored solutions
// solve them with the recorded counts, pushing exactly where the letters say.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "board/levelcheck.h"
#include "board/replay.h"
#include "tests/board_text.h"
#include "tests/support.h"

namespace {

TEST(LevelPackTest, EveryLevelIsBuiltFromItsSourceAndSolvedByItsStoredSolution) {
  GameHarness harness;
  Output([&] { harness.game.LoadLevelPak("level/standart"); });
  // level/figures: a comment line, then one level per line in playing order.
  std::istringstream figures(ReadFile("level/figures"));
  std::string name, rest;
  std::getline(figures, rest);
  uint32_t number = 0;
  int manyBoxes = 0;  // levels of five boxes or more, the hard tier
  for (int boxes, moves, pushes; figures >> name >> boxes >> moves >> pushes;) {
    std::getline(figures, rest);
    SCOPED_TRACE(name);
    ASSERT_LT(number++, harness.game.levelList.size()) << "list and figures differ";
    const std::string entry = harness.game.levelList[number - 1];
    ASSERT_EQ(entry, "level/standart/" + name + ".lev") << "list out of order";
    const std::string source = "level/source/" + name;
    EXPECT_TRUE(LevelBytes(ReadFile(source + ".txt")) == ReadFile(entry))
        << "rebuild it with scripts/pack";
    EXPECT_EQ(CheckLevelContents(ReadFile(entry)), std::vector<std::string>());

    EXPECT_EQ(Output([&] { harness.game.LoadLevel(number); }),
              "Load Level '" + entry + "'... OK\n");
    EXPECT_EQ(harness.board.boxCount, boxes);
    manyBoxes += boxes >= 5;
    std::string error;
    EXPECT_TRUE(ReplayMoves(&harness.board, ReadFile(source + ".solution"), &error)) << error;
    EXPECT_EQ(std::make_pair(harness.board.moveCount, harness.board.pushCount),
              std::make_pair(moves, pushes));
    EXPECT_TRUE(IsSolved(harness.board));
  }
  EXPECT_EQ(number, harness.game.levelList.size()) << "list and figures differ";
  EXPECT_GE(number, 60u);
  EXPECT_GE(manyBoxes, 10);
}

}  // namespace
