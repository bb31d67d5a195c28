// level_complete_test.cpp: what the level-complete screen leaves behind, and a
// start without a level, driven through events and frames.
#include <gtest/gtest.h>

#include "tests/board_text.h"
#include "tests/support.h"

namespace {

const std::string SOLVED = BoardText({{2, 2, '@'}, {6, 6, '$'}}, {{6, 6, 'o'}});
const std::string OPEN = BoardText({{2, 2, '@'}, {6, 10, '$'}}, {{6, 6, 'o'}});

class LevelComplete : public testing::Test {
 protected:
  LevelComplete() { testing::internal::CaptureStdout(); }
  ~LevelComplete() override { testing::internal::GetCapturedStdout(); }

  void Release(Uint8 scancode) {
    SDL_Event event = {};
    event.type = SDL_KEYUP;
    event.key.keysym.scancode = scancode;
    game.HandleEvent(&event, KMOD_NONE);
  }

  GameHarness harness;
  CGame& game = harness.game;
};

TEST_F(LevelComplete, KeysReleasedOnItDoNotActOnTheNextLevel) {
  game.levelList = {WriteTempFile("solved.lev", LevelBytes(SOLVED)),
                    WriteTempFile("open2.lev", LevelBytes(OPEN)),
                    WriteTempFile("open3.lev", LevelBytes(OPEN))};
  for (Uint8 key : {SCAN_EQUALS, SCAN_MINUS, SCAN_BACKSPACE}) {
    game.LoadLevel(1);
    game.screenState = GAME_PLAY;
    game.RunFrame(0.01f);
    ASSERT_EQ(game.screenState, GAME_WIN);
    Release(key);
    game.RunFrame(0.01f);
    harness.keys[SDLK_SPACE] = 1;
    game.RunFrame(0.01f);
    harness.keys[SDLK_SPACE] = 0;
    // An arrow held as the next level comes up walks at once; a stale
    // Backspace would take that step back in the same frame.
    harness.keys[SDLK_RIGHT] = 1;
    game.RunFrame(0.01f);
    harness.keys[SDLK_RIGHT] = 0;
    EXPECT_EQ(game.screenState, GAME_PLAY) << +key;
    EXPECT_EQ(game.levelNumber, 2u) << +key;
    EXPECT_EQ(harness.board.moveCount, 1) << +key;
  }
}

TEST_F(LevelComplete, ABoardNoLevelFilledIsNeverComplete) {
  const std::string shortText = WriteTempFile("short.txt", "VELM LEVEL\n");
  const std::string noBoxes = WriteTempFile("empty.lev", LevelBytes(BoardText({{2, 2, '@'}})));
  game.levelList = {WriteTempFile("open1.lev", LevelBytes(OPEN))};
  for (const std::string& path : {std::string("no/such.lev"), std::string("level"), shortText}) {
    harness.board = CLevel();
    game.screenState = GAME_PLAY;
    game.LoadLevelFile(path.c_str());
    game.RunFrame(0.01f);
    EXPECT_EQ(game.screenState, GAME_PLAY) << path;
    // Plus goes on to the pack.
    Release(SCAN_EQUALS);
    game.RunFrame(0.01f);
    EXPECT_EQ(game.levelNumber, 1u) << path;
    EXPECT_EQ(harness.board.heroX, 2) << path;
    EXPECT_EQ(game.screenState, GAME_PLAY) << path;
  }
  // A loaded level without boxes is still solved at once, even after a
  // failed load.
  game.LoadLevelFile(noBoxes.c_str());
  game.LoadLevelFile(shortText.c_str());
  game.RunFrame(0.01f);
  EXPECT_EQ(game.screenState, GAME_WIN);
}

}  // namespace
