// robustness_test.cpp: hostile level files and random play never reach outside
// the board. The sanitizers in the test build turn any stray access into a
// failure, so these scenarios only have to drive the code.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support.h"

namespace {

// Level files from the pack with random bytes overwritten, cut or appended,
// then random requests, undos, frames and drawing on whatever loaded.
TEST(Robustness, MangledLevelsAndRandomPlayStayOnTheBoard) {
  GameHarness harness;
  CLevel& board = harness.board;
  harness.game.LoadLevelPak("level/standart");
  ASSERT_FALSE(harness.game.levelList.empty());
  const int actions[] = {DIR_UP, DIR_DOWN, DIR_LEFT, DIR_RIGHT, 0, 1, 2, 3};
  std::mt19937 random(2026);
  int moved = 0;

  testing::internal::CaptureStdout();
  for (int round = 0; round < 300; round++) {
    FILE* file = fopen(harness.game.levelList[round % harness.game.levelList.size()].c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::string bytes;
    for (int byte; (byte = fgetc(file)) != EOF;) {
      bytes += static_cast<char>(byte);
    }
    fclose(file);
    // Mostly the header and a few layer bytes; now and then a cut or a tail.
    for (int i = random() % 12; i > 0; i--) {
      size_t at = random() % 2 ? random() % 26 : random() % bytes.size();
      bytes[at] = static_cast<char>(random() % 2 ? random() % 256 : random() % 30);
    }
    if (random() % 4 == 0) {
      bytes.resize(random() % bytes.size());
    } else if (random() % 4 == 0) {
      bytes += std::string(random() % 300, static_cast<char>(random()));
    }
    board.Load(WriteTempFile("mangled.lev", bytes).c_str());

    for (int step = 0; step < 200; step++) {
      const int action = actions[random() % 8];
      if (action >= 200) {
        moved += board.Move(action);
      } else if (action == 0) {
        board.Undo();
      } else {
        harness.game.screenState = GAME_PLAY;
        harness.game.RunFrame(action * 0.03f);
      }
    }
  }
  testing::internal::GetCapturedStdout();
  EXPECT_GT(moved, 1000) << "the random play must really walk and push";
}

}  // namespace
