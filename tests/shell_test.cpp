// shell_test.cpp: frame times, events, keys and the screens, driven frame by frame.
#include <gtest/gtest.h>

#include "tests/support.h"

namespace {

SDL_Event Event(Uint8 type, Uint8 scancode = 0) {
  SDL_Event event = {};
  event.type = type;
  event.key.keysym.scancode = scancode;
  return event;
}

// A game on the dummy screen with plain pictures, playing a pack of two
// levels that do not exist (loading them only prints an error line), on a
// board that nothing completes.
class ShellTest : public testing::Test {
 protected:
  ShellTest() {
    game.backImage = SolidSurface(640, 480, 0, 0, 160);
    game.winImage = SolidSurface(100, 50, 200, 200, 0);
    game.cursorImage = SolidSurface(8, 8, 255, 255, 255);
    game.levelList = {"p/one", "p/two"};
    game.levelNumber = 1;
    game.screenState = GAME_PLAY;
    harness.board.boxCount = 1;
    testing::internal::CaptureStdout();
  }
  ~ShellTest() override {
    testing::internal::GetCapturedStdout();
    SDL_FreeSurface(game.backImage);
    SDL_FreeSurface(game.winImage);
    SDL_FreeSurface(game.cursorImage);
  }

  Uint32 Pixel(int x, int y) { return PixelAt(game.screen, x, y); }

  GameHarness harness;
  CGame& game = harness.game;
};

TEST(FrameTime, IsTheSecondsSinceThePreviousFrameAsFloats) {
  float previous = 0;
  EXPECT_FLOAT_EQ(FrameTime(2500, &previous), 2.5f) << "the first frame counts from the start";
  EXPECT_NEAR(FrameTime(2516, &previous), 0.016f, 1e-6f);
}

TEST(PcScanCode, MainKeyboardMinusPlusBackspaceActOnX11AndInTheBrowserAsOnThePc) {
  // X key codes are set-1 codes plus 8; the keypad's minus must not act, nor a
  // code below 8 wrap round to a key. The browser's codes differ between
  // browsers, and there I, J and K report the PC's codes of Minus, Equals and
  // Backspace.
  const char* web = "emscripten_sdl_driver";
  const struct {
    Uint8 reported;
    const char* driver;
    Uint8 pc;
  } keys[] = {{20, "x11", SCAN_MINUS},
              {21, "x11", SCAN_EQUALS},
              {22, "x11", SCAN_BACKSPACE},
              {82, "x11", 74},
              {6, "x11", 6},
              {12, "windib", SCAN_MINUS},
              {189, web, SCAN_MINUS},
              {45, web, SCAN_MINUS},
              {187, web, SCAN_EQUALS},
              {46, web, SCAN_EQUALS},
              {42, web, SCAN_BACKSPACE},
              {12, web, 0},
              {13, web, 0},
              {14, web, 0},
              {55, web, 0}};
  for (const auto& key : keys) {
    EXPECT_EQ(PcScanCode(key.reported, key.driver), key.pc) << +key.reported << key.driver;
  }
}

TEST_F(ShellTest, KeyDownsActOnTheKeysHeldNowAndTheFramesModifiers) {
  Uint8* held = SDL_GetKeyState(nullptr);
  SDL_Event keyDown = Event(SDL_KEYDOWN, 30);
  held[SDLK_RETURN] = 1;
  game.HandleEvent(&keyDown, KMOD_NONE);
  EXPECT_EQ(game.fullscreen, 0) << "Return without Alt in the frame's modifiers";
  game.HandleEvent(&keyDown, KMOD_LALT);
  EXPECT_EQ(game.fullscreen, 1);
  held[SDLK_RETURN] = 1;  // a new video mode lets go of every key
  game.HandleEvent(&keyDown, SDLMod(KMOD_RALT | KMOD_LCTRL));
  EXPECT_EQ(game.fullscreen, 0) << "either Alt, with other modifiers held too";
  held[SDLK_RETURN] = 0;
  EXPECT_EQ(game.screenState, GAME_PLAY);

  held[SDLK_ESCAPE] = 1;
  game.HandleEvent(&keyDown, KMOD_NONE);
  held[SDLK_ESCAPE] = 0;
  EXPECT_EQ(game.screenState, GAME_QUIT);
  game.screenState = GAME_PLAY;
  SDL_Event quit = Event(SDL_QUIT);
  game.HandleEvent(&quit, KMOD_NONE);
  EXPECT_EQ(game.screenState, GAME_QUIT);
}

TEST_F(ShellTest, ALoopFrameHandlesEveryWaitingEventThenDrawsEvenAfterQuit) {
  SDL_Event next = Event(SDL_KEYUP, SCAN_EQUALS);
  SDL_Event quit = Event(SDL_QUIT);
  SDL_PushEvent(&next);
  SDL_PushEvent(&quit);
  SDL_FillRect(game.screen, nullptr, 0);
  float previous = 0;
  LoopFrame(&previous, 1);
  EXPECT_EQ(game.screenState, GAME_QUIT);
  EXPECT_EQ(game.levelNumber, 1u) << "a quitting frame plays on no level";
  EXPECT_GT(previous, 0.0f);
  EXPECT_FLOAT_EQ(game.frameTime, previous) << "the first frame counts from the start";
  EXPECT_TRUE(ColourNear(Pixel(1, 1), 0xffffff)) << "the pointer is drawn";

  game.screenState = GAME_PLAY;
  LoopFrame(&previous, 0);
  EXPECT_EQ(game.levelNumber, 2u) << "the release waits for the next play frame";
}

TEST_F(ShellTest, TheMouseOnlyMovesThePointerWhichIsDrawnLastInEveryState) {
  SDL_Event motion = Event(SDL_MOUSEMOTION);
  motion.motion.x = 636;
  motion.motion.y = 10;
  game.HandleEvent(&motion, KMOD_NONE);
  SDL_Event click = Event(SDL_MOUSEBUTTONDOWN);
  game.HandleEvent(&click, KMOD_NONE);

  for (int state : {GAME_INIT, GAME_PLAY, GAME_QUIT}) {
    SCOPED_TRACE(state);
    game.screenState = state;
    SDL_FillRect(game.screen, nullptr, 0);
    game.RunFrame(0.25f);
    EXPECT_FLOAT_EQ(game.frameTime, 0.25f);
    EXPECT_TRUE(ColourNear(Pixel(639, 10), 0xffffff)) << "clipped at the right edge";
    EXPECT_EQ(Pixel(300, 300), state == GAME_QUIT ? 0u : ColourOn(game.screen, 0, 0, 160));
  }
}

TEST_F(ShellTest, ReleasedKeysActInTheNextPlayFrameOnce) {
  const struct {
    Uint8 released;
    uint32_t level;
    Uint8 remembered;
  } steps[] = {{SCAN_EQUALS, 2, 0}, {SCAN_EQUALS, 2, 0}, {30, 2, 30}, {SCAN_MINUS, 1, 0}};
  for (const auto& step : steps) {
    SDL_Event release = Event(SDL_KEYUP, step.released);
    game.HandleEvent(&release, KMOD_NONE);
    game.RunFrame(0.01f);
    EXPECT_EQ(game.levelNumber, step.level);
    EXPECT_EQ(game.releasedKey, step.remembered);
  }
}

TEST_F(ShellTest, OfTheArrowsHeldTheFirstOfUpDownLeftRightStepsAndBackspaceTakesItBack) {
  CLevel& board = harness.board;
  board.objectLayer[8][6].Init(130, 178, 62, 62, TILE_HERO);
  board.heroX = 6;
  board.heroY = 8;
  // Each arrow is held with every arrow after it; the hero's anchor after it.
  const struct {
    SDLKey key;
    int x, y;
  } arrows[] = {{SDLK_UP, 6, 7}, {SDLK_DOWN, 6, 8}, {SDLK_LEFT, 5, 8}, {SDLK_RIGHT, 6, 8}};
  for (const auto& arrow : arrows) {
    for (const auto& held : arrows) {
      harness.keys[held.key] = &held >= &arrow;
    }
    game.RunFrame(0.001f);
    EXPECT_EQ(board.heroX, arrow.x) << arrow.key;
    EXPECT_EQ(board.heroY, arrow.y) << arrow.key;
    board.AnimateTiles(1);  // ends the glide
  }
  harness.keys[SDLK_RIGHT] = 0;
  game.releasedKey = SCAN_BACKSPACE;
  game.RunFrame(0.001f);
  game.RunFrame(0.001f);  // a released key acts once
  EXPECT_EQ(board.moveCount, 3);
  EXPECT_EQ(board.heroX, 5);
}

TEST_F(ShellTest, LevelCompleteScreenShowsItsPictureAndSpaceOrReturnGoesOn) {
  harness.board.boxCount = 0;  // nothing to place: solved in every play frame
  // Return held as the level is solved goes on within the same frame.
  harness.keys[SDLK_RETURN] = 1;
  game.RunFrame(0.01f);
  harness.keys[SDLK_RETURN] = 0;
  EXPECT_EQ(game.screenState, GAME_PLAY);
  EXPECT_EQ(game.levelNumber, 2u);
  game.RunFrame(0.01f);
  game.RunFrame(0.01f);
  EXPECT_EQ(game.screenState, GAME_WIN);
  EXPECT_TRUE(ColourNear(Pixel(58, 150), 0xc8c800));
  EXPECT_TRUE(ColourNear(Pixel(157, 199), 0xc8c800));
  EXPECT_TRUE(ColourNear(Pixel(158, 200), 0x0000a0));
  harness.keys[SDLK_SPACE] = 1;
  game.RunFrame(0.01f);
  EXPECT_EQ(game.screenState, GAME_PLAY);
}

}  // namespace
