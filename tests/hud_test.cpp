// hud_test.cpp: the text drawn over every frame, read back from the screen.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "gfx/font.h"
#include "tests/glyphs.h"
#include "tests/support.h"

namespace {

// A game on the dummy screen with a synthetic font, the screen blanked.
class HudTest : public testing::Test {
 protected:
  void SetUp() override {
    sheet = GlyphSheet(16, 16);
    font.SetSheet(sheet, GLYPH_WIDTH, GLYPH_HEIGHT);
    harness.game.font = &font;
    Blank(Screen());
  }
  void TearDown() override { SDL_FreeSurface(sheet); }

  SDL_Surface* Screen() { return harness.game.screen; }

  // The next frame is due for a frame-rate refresh.
  void RefreshDue() { lastFpsTick = SDL_GetTicks() - 250; }

  // The four counter lines, as the screen shows them.
  std::string Counters() {
    return ReadText(Screen(), 560, 0) + "|" + ReadText(Screen(), 560, 14) + "|" +
           ReadText(Screen(), 560, 28) + "|" + ReadText(Screen(), 560, 42);
  }

  GameHarness harness;
  SDL_Font font;
  SDL_Surface* sheet = nullptr;
};

TEST_F(HudTest, FrameRateShowsTheRateOfTheRefreshingFrame) {
  RefreshDue();
  harness.game.RunFrame(0.016f);
  EXPECT_STREQ(fpsText, "FPS 62.50");
  EXPECT_EQ(ReadText(Screen(), 0, 0), "FPS 62.50");

  RefreshDue();
  harness.game.RunFrame(0);
  EXPECT_STREQ(fpsText, "FPS 0.00");
}

TEST_F(HudTest, FrameRateChangesAtMostEvery250Ticks) {
  RefreshDue();
  const Uint32 before = SDL_GetTicks();
  harness.game.RunFrame(0.016f);
  EXPECT_GE(lastFpsTick, before);

  // Frames right after a refresh keep its figure, but still draw it.
  for (float seconds : {0.5f, 0.001f, 0.0f}) {
    Blank(Screen());
    harness.game.RunFrame(seconds);
    EXPECT_STREQ(fpsText, "FPS 62.50");
    EXPECT_EQ(ReadText(Screen(), 0, 0), "FPS 62.50");
  }

  // Through the unsigned difference, a last refresh just ahead of now lies
  // almost a full turn of the tick count back.
  lastFpsTick = SDL_GetTicks() + 1;
  harness.game.RunFrame(0.5f);
  EXPECT_STREQ(fpsText, "FPS 2.00");
}

TEST_F(HudTest, HelpAndCreditLinesAreDrawnInEveryState) {
  for (int state : {GAME_INIT, GAME_PLAY, GAME_WIN, GAME_QUIT}) {
    Blank(Screen());
    harness.game.screenState = state;
    harness.game.DrawHud();
    EXPECT_EQ(ReadText(Screen(), 1, 424), "Plus: Next Level");
    EXPECT_EQ(ReadText(Screen(), 1, 438), "Minus: Previous Level");
    EXPECT_EQ(ReadText(Screen(), 1, 452), "Backspace: Undo Move");
    EXPECT_EQ(ReadText(Screen(), 1, 466), "Alt+Enter: Full screen");
    // The credit line ends before the right edge, so none of it is cut.
    std::string credit = ReadText(Screen(), 400, 466);
    EXPECT_FALSE(credit.empty());
    EXPECT_LT(400 + GLYPH_WIDTH * static_cast<int>(credit.size()), 640);
  }
}

TEST_F(HudTest, CountersShowWhilePlayingAndOnTheLevelCompleteScreen) {
  harness.game.levelNumber = 7;
  harness.board.moveCount = 31;
  harness.board.pushCount = 9;

  harness.game.screenState = GAME_PLAY;
  harness.game.DrawHud();
  EXPECT_EQ(Counters(), "LEVEL 7|MOVE 31|PUSH 9|TIME 0");

  Blank(Screen());
  harness.game.screenState = GAME_WIN;
  harness.game.DrawHud();
  EXPECT_EQ(Counters(), "LEVEL 7|MOVE 31|PUSH 9|TIME 0");
}

TEST_F(HudTest, CountersAreAbsentOutsidePlay) {
  harness.game.levelNumber = 7;
  for (int state : {GAME_INIT, GAME_QUIT}) {
    harness.game.screenState = state;
    harness.game.DrawHud();
    EXPECT_EQ(Counters(), "|||");
  }
}

TEST_F(HudTest, HugeFiguresStayInsideTheirBuffers) {
  RefreshDue();
  harness.game.RunFrame(1e-9f);
  EXPECT_STREQ(fpsText, "FPS 1000000000.00");

  // A frame time of nearly nothing gives a figure far wider than the line.
  RefreshDue();
  harness.game.RunFrame(1e-38f);
  EXPECT_EQ(strlen(fpsText), sizeof fpsText - 1);
  EXPECT_EQ(std::string(fpsText, 11), "FPS 1000000");

  harness.game.screenState = GAME_PLAY;
  harness.game.levelNumber = UINT32_MAX;
  harness.board.moveCount = INT_MAX;
  harness.board.pushCount = INT_MIN;
  Blank(Screen());
  harness.game.DrawHud();
  // Twelve glyphs fit from x = 560; the rest of a long figure is cut.
  EXPECT_EQ(Counters(), "LEVEL -1|MOVE 2147483|PUSH -214748|TIME 0");
}

TEST_F(HudTest, MissingFontScreenOrBoardDrawLess) {
  harness.game.screenState = GAME_PLAY;

  harness.game.font = nullptr;
  RefreshDue();
  harness.game.RunFrame(0.016f);
  EXPECT_STREQ(fpsText, "FPS 62.50");
  EXPECT_EQ(ReadText(Screen(), 0, 0), "");

  harness.game.font = &font;
  harness.game.level = nullptr;
  harness.game.DrawHud();
  EXPECT_EQ(ReadText(Screen(), 1, 424), "Plus: Next Level");
  EXPECT_EQ(Counters(), "|||");

  harness.game.screen = nullptr;
  harness.game.DrawHud();
}

}  // namespace
