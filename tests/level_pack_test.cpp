// level_pack_test.cpp: the shipped levels are what their sources build, pass
// every check, come in the order of their figures, and their stored solutions
// solve them with the recorded counts, pushing exactly where the letters say.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "board/levelcheck.h"
#include "board/replay.h"
#include "tests/board_text.h"
#include "tests/support.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << "can't open " << path;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct Figures {
  std::string name;
  int boxes;
  int moves;
  int pushes;
};

// level/figures: a comment line, then one level per line in playing order.
std::vector<Figures> ReadFigures() {
  std::istringstream lines(ReadFile("level/figures"));
  std::vector<Figures> pack;
  std::string rest;
  std::getline(lines, rest);
  for (Figures level; lines >> level.name >> level.boxes >> level.moves >> level.pushes;) {
    pack.push_back(level);
    std::getline(lines, rest);
  }
  return pack;
}

TEST(LevelPackTest, EveryLevelIsBuiltFromItsSourceAndSolvedByItsStoredSolution) {
  const std::vector<Figures> pack = ReadFigures();
  GameHarness harness;
  testing::internal::CaptureStdout();
  harness.game.LoadLevelPak("level/standart");
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(harness.game.levelList.size(), pack.size()) << "list and figures differ";
  EXPECT_GE(pack.size(), 50u);
  for (uint32_t number = 1; number <= pack.size(); number++) {
    const Figures& figures = pack[number - 1];
    SCOPED_TRACE(figures.name);
    const std::string entry = harness.game.levelList[number - 1];
    ASSERT_EQ(entry, "level/standart/" + figures.name + ".lev") << "list out of order";
    const std::string source = "level/source/" + figures.name;
    EXPECT_TRUE(LevelBytes(ReadFile(source + ".txt")) == ReadFile(entry))
        << "rebuild it with scripts/pack";
    EXPECT_EQ(CheckLevelContents(ReadFile(entry)), std::vector<std::string>());

    testing::internal::CaptureStdout();
    harness.game.LoadLevel(number);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Load Level '" + entry + "'... OK\n");
    EXPECT_EQ(harness.board.boxCount, figures.boxes);
    PlaySolution(&harness.board, ReadFile(source + ".solution"));
    EXPECT_EQ(harness.board.moveCount, figures.moves);
    EXPECT_EQ(harness.board.pushCount, figures.pushes);
    EXPECT_TRUE(IsSolved(harness.board));
  }
}

}  // namespace
