// level_pack_test.cpp: the shipped levels are what their sources build, and
// their stored solutions solve them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/board_text.h"
#include "tests/support.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << "can't open " << path;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(LevelPackTest, EveryLevelIsBuiltFromItsSourceAndSolvedByItsStoredSolution) {
  GameHarness harness;
  testing::internal::CaptureStdout();
  harness.game.LoadLevelPak("level/standart");
  testing::internal::GetCapturedStdout();
  ASSERT_GE(harness.game.levelList.size(), 3u);
  for (uint32_t number = 1; number <= harness.game.levelList.size(); number++) {
    const std::string entry = harness.game.levelList[number - 1];
    SCOPED_TRACE(entry);
    const std::string name = entry.substr(entry.rfind('/') + 1);
    const std::string source = "level/source/" + name.substr(0, name.rfind('.'));
    EXPECT_TRUE(LevelBytes(ReadFile(source + ".txt")) == ReadFile(entry))
        << "rebuild it with velm2-level build";

    testing::internal::CaptureStdout();
    harness.game.LoadLevel(number);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Load Level '" + entry + "'... OK\n");
    const std::string solution = ReadFile(source + ".solution");
    ASSERT_GT(solution.size(), 1u);
    ASSERT_EQ(solution.back(), '\n');
    for (size_t step = 0; step + 1 < solution.size(); step++) {
      ASSERT_TRUE(harness.board.Move(DirectionOf(solution[step])))
          << "step " << step + 1 << " '" << solution[step] << "'";
      harness.board.AnimateTiles(1);  // ends every glide
    }
    harness.game.screenState = GAME_PLAY;
    harness.board.CheckComplete();
    EXPECT_EQ(harness.game.screenState, GAME_WIN);
  }
}

}  // namespace
