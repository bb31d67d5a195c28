// hud_test.cpp: the text drawn over every frame, read back from the screen.
#include <gtest/gtest.h>

#include <string>

#include "tests/glyphs.h"

namespace {

// A game on the dummy screen drawing with a synthetic font.
class HudTest : public testing::Test, protected GlyphFont {
 protected:
  HudTest() { game.font = &font; }

  // Runs a frame `age` ticks after the last refresh (0: when the game last
  // refreshed) and returns the frame rate as the screen shows it.
  std::string Frame(Uint32 age, float seconds) {
    lastFpsTick = age ? SDL_GetTicks() - age : lastFpsTick;
    SDL_FillRect(game.screen, nullptr, 0);
    game.RunFrame(seconds);
    EXPECT_EQ(ReadLines(game.screen, 0, 0), fpsText);
    return fpsText;
  }

  // Draws the HUD in `state` with the given figures and returns the four
  // counter lines; the credit line is there in every state.
  std::string Counters(int state, Uint32 level, int moves, int pushes) {
    game.screenState = state;
    game.levelNumber = level;
    harness.board.moveCount = moves;
    harness.board.pushCount = pushes;
    SDL_FillRect(game.screen, nullptr, 0);
    game.DrawHud();
    // The credit line ends before the right edge, so none of it is cut.
    const std::string credit = ReadLines(game.screen, 400, 466);
    EXPECT_FALSE(credit.empty());
    EXPECT_LT(400 + GLYPH_WIDTH * credit.size(), 640u);
    return ReadLines(game.screen, 560, 0, 4);
  }

  GameHarness harness;
  CGame& game = harness.game;
};

TEST_F(HudTest, FrameRateRefreshesAtMostEvery250Ticks) {
  EXPECT_EQ(Frame(250, 0.016f), "FPS 62.50");
  EXPECT_EQ(Frame(0, 0.5f), "FPS 62.50");
  EXPECT_EQ(Frame(250, 0.0f), "FPS 0.00");
  // A refresh 100 ticks ahead of now lies, by the unsigned difference, almost
  // a full turn of the tick count back.
  EXPECT_EQ(Frame(-100, 0.5f), "FPS 2.00");
}

TEST_F(HudTest, CountersShowOnlyWhilePlayingAndOnTheLevelCompleteScreen) {
  EXPECT_EQ(Counters(GAME_INIT, 7, 31, 9), "|||");
  EXPECT_EQ(Counters(GAME_PLAY, 7, 31, 9), "LEVEL 7|MOVE 31|PUSH 9|TIME 0");
  EXPECT_EQ(Counters(GAME_WIN, 7, 31, 9), "LEVEL 7|MOVE 31|PUSH 9|TIME 0");
  EXPECT_EQ(Counters(GAME_QUIT, 7, 31, 9), "|||");
}

}  // namespace
