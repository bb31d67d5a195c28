// shell_test.cpp: events, keys and the screens, driven frame by frame.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support.h"

namespace {

SDL_Event KeyEvent(Uint8 type, SDLKey key, Uint8 scancode) {
  SDL_Event event = {};
  event.type = type;
  event.key.keysym.sym = key;
  event.key.keysym.scancode = scancode;
  return event;
}

// Holds keys in the library's own keyboard state, which key-down handling
// reads, and lets them go again when the test ends.
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<SDLKey> keys) : keys_(keys) {
    for (SDLKey key : keys_) {
      SDL_GetKeyState(nullptr)[key] = 1;
    }
  }
  ~HeldKeys() {
    for (SDLKey key : keys_) {
      SDL_GetKeyState(nullptr)[key] = 0;
    }
  }

 private:
  std::vector<SDLKey> keys_;
};

class ShellTest : public testing::Test {
 protected:
  ShellTest() {
    game.backImage = SolidSurface(640, 480, 0, 0, 160);
    game.winImage = SolidSurface(100, 50, 200, 200, 0);
    game.cursorImage = SolidSurface(8, 8, 255, 255, 255);
    // A board without a hero, which nothing completes: boxCount 1, no box.
    harness.board.boxCount = 1;
  }
  ~ShellTest() override {
    SDL_FreeSurface(game.backImage);
    SDL_FreeSurface(game.winImage);
    SDL_FreeSurface(game.cursorImage);
  }

  Uint32 Pixel(int x, int y) { return PixelAt(game.screen, x, y); }

  GameHarness harness;
  CGame& game = harness.game;
};

TEST(PcScanCode, MainKeyboardMinusPlusBackspaceActOnX11AsOnThePc) {
  EXPECT_EQ(PcScanCode(20, "x11"), SCAN_MINUS);
  EXPECT_EQ(PcScanCode(21, "x11"), SCAN_EQUALS);
  EXPECT_EQ(PcScanCode(22, "x11"), SCAN_BACKSPACE);
  // The keypad's minus and plus must not act.
  EXPECT_NE(PcScanCode(82, "x11"), SCAN_MINUS);
  EXPECT_NE(PcScanCode(86, "x11"), SCAN_EQUALS);
  // Platforms that report PC codes already keep them.
  EXPECT_EQ(PcScanCode(12, "windib"), SCAN_MINUS);
  EXPECT_EQ(PcScanCode(14, "dummy"), SCAN_BACKSPACE);
  EXPECT_EQ(PcScanCode(3, "x11"), 3);
}

TEST_F(ShellTest, ClosingTheWindowOrAKeyDownWhileEscapeIsHeldQuits) {
  SDL_Event quit = {};
  quit.type = SDL_QUIT;
  game.HandleEvent(&quit, KMOD_NONE);
  EXPECT_EQ(game.screenState, GAME_QUIT);

  game.screenState = GAME_PLAY;
  SDL_Event keyA = KeyEvent(SDL_KEYDOWN, SDLK_a, 30);
  game.HandleEvent(&keyA, KMOD_NONE);
  EXPECT_EQ(game.screenState, GAME_PLAY);
  HeldKeys escape{SDLK_ESCAPE};
  game.HandleEvent(&keyA, KMOD_NONE);
  EXPECT_EQ(game.screenState, GAME_QUIT) << "any key-down while Escape is held quits";
}

TEST_F(ShellTest, AltReturnSwitchesTheDisplayOnlyWithAltInTheFramesModifiers) {
  game.fullscreen = 0;
  HeldKeys held{SDLK_RETURN};
  SDL_Event returnDown = KeyEvent(SDL_KEYDOWN, SDLK_RETURN, 36);
  game.HandleEvent(&returnDown, KMOD_NONE);
  EXPECT_EQ(game.fullscreen, 0);

  game.HandleEvent(&returnDown, KMOD_LALT);
  EXPECT_EQ(game.fullscreen, 1);
  ASSERT_NE(game.screen, nullptr);
  EXPECT_EQ(game.screen->w, 640);
  // Setting a video mode lets go of every key; Return is pressed again.
  SDL_GetKeyState(nullptr)[SDLK_RETURN] = 1;
  game.HandleEvent(&returnDown, KMOD_RALT);
  EXPECT_EQ(game.fullscreen, 0);
  EXPECT_EQ(game.screen->format->BitsPerPixel, 16);
}

TEST_F(ShellTest, ReleasedKeysAreRememberedByScanCodeAndTheMouseByPosition) {
  SDL_Event release = KeyEvent(SDL_KEYUP, SDLK_MINUS, SCAN_MINUS);
  game.HandleEvent(&release, KMOD_NONE);
  EXPECT_EQ(game.releasedKey, SCAN_MINUS);

  SDL_Event motion = {};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = 321;
  motion.motion.y = 123;
  game.HandleEvent(&motion, KMOD_NONE);
  EXPECT_EQ(game.mouseX, 321);
  EXPECT_EQ(game.mouseY, 123);

  SDL_Event click = {};
  click.type = SDL_MOUSEBUTTONDOWN;
  game.HandleEvent(&click, KMOD_NONE);
  EXPECT_EQ(game.screenState, GAME_INIT);
  EXPECT_EQ(game.releasedKey, SCAN_MINUS);
}

TEST_F(ShellTest, EveryStateDrawsThePointerLastAtTheLastMousePosition) {
  game.mouseX = 636;
  game.mouseY = 10;
  game.RunFrame(0.25f);
  EXPECT_FLOAT_EQ(game.frameTime, 0.25f);
  EXPECT_TRUE(ColourNear(Pixel(639, 10), 0xffffff)) << "clipped at the right edge";
  EXPECT_TRUE(ColourNear(Pixel(635, 10), 0x0000a0)) << "background in the start-up state";

  SDL_FillRect(game.screen, nullptr, 0);
  game.screenState = GAME_QUIT;
  game.RunFrame(0.01f);
  EXPECT_EQ(Pixel(100, 100), 0u) << "no screen is drawn once quitting";
  EXPECT_TRUE(ColourNear(Pixel(637, 12), 0xffffff));
}

TEST_F(ShellTest, ReleasedMinusPlusAndOtherKeysInPlay) {
  game.levelList = {"p/one", "p/two"};
  game.levelNumber = 1;
  game.screenState = GAME_PLAY;
  testing::internal::CaptureStdout();

  game.releasedKey = SCAN_EQUALS;
  game.RunFrame(0.01f);
  EXPECT_EQ(game.levelNumber, 2u);
  EXPECT_EQ(game.releasedKey, 0);

  game.releasedKey = 30;
  game.RunFrame(0.01f);
  EXPECT_EQ(game.releasedKey, 30) << "other keys stay remembered and do nothing";

  game.releasedKey = SCAN_MINUS;
  game.RunFrame(0.01f);
  EXPECT_EQ(game.levelNumber, 1u);
  EXPECT_EQ(game.releasedKey, 0);
  testing::internal::GetCapturedStdout();
}

TEST_F(ShellTest, LevelCompleteScreenShowsItsPictureAndSpaceGoesOn) {
  game.levelList = {"p/one", "p/two"};
  game.levelNumber = 1;
  game.screenState = GAME_PLAY;
  harness.board.boxCount = 0;  // nothing to place: solved at once

  game.RunFrame(0.01f);
  EXPECT_EQ(game.screenState, GAME_WIN);
  game.RunFrame(0.01f);
  EXPECT_TRUE(ColourNear(Pixel(58, 150), 0xc8c800));
  EXPECT_TRUE(ColourNear(Pixel(157, 199), 0xc8c800));
  EXPECT_TRUE(ColourNear(Pixel(158, 200), 0x0000a0));

  // Minus released here waits for the play screen.
  game.releasedKey = SCAN_MINUS;
  game.RunFrame(0.01f);
  EXPECT_EQ(game.screenState, GAME_WIN);
  EXPECT_EQ(game.levelNumber, 1u);

  testing::internal::CaptureStdout();
  harness.keys[SDLK_SPACE] = 1;
  game.RunFrame(0.01f);
  harness.keys[SDLK_SPACE] = 0;
  EXPECT_EQ(game.screenState, GAME_PLAY);
  EXPECT_EQ(game.levelNumber, 2u);
  harness.board.boxCount = 1;
  game.RunFrame(0.01f);
  EXPECT_EQ(game.levelNumber, 1u) << "the remembered Minus acts in the first play frame";
  testing::internal::GetCapturedStdout();
}

TEST_F(ShellTest, SpaceHeldWhenTheLevelIsSolvedGoesOnWithinTheSameFrame) {
  game.levelList = {"p/one", "p/two"};
  game.levelNumber = 1;
  game.screenState = GAME_PLAY;
  harness.board.boxCount = 0;
  harness.keys[SDLK_RETURN] = 1;
  testing::internal::CaptureStdout();
  game.RunFrame(0.01f);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(game.screenState, GAME_PLAY);
  EXPECT_EQ(game.levelNumber, 2u);
}

}  // namespace
