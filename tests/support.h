// support.h: shared helpers for the headless tests on SDL's dummy video driver.
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <string>

#include "board/level.h"
#include "shell/game.h"

// Starts SDL video on the dummy driver once per test binary and sets a
// 640 x 480 16-bit mode, so loaders can convert to the display format.
SDL_Surface* DummyScreen();

// A 32-bit RGB surface of the given size filled with one colour. The caller
// frees it with SDL_FreeSurface.
SDL_Surface* SolidSurface(int width, int height, Uint8 r, Uint8 g, Uint8 b);

// The colour of one pixel of any surface, as 0xRRGGBB (reduced to the
// surface's precision: a 16-bit screen loses the low bits).
Uint32 PixelAt(SDL_Surface* surface, int x, int y);
// The colour that `r, g, b` becomes on `surface`, as 0xRRGGBB.
Uint32 ColourOn(SDL_Surface* surface, Uint8 r, Uint8 g, Uint8 b);

// Whether two 0xRRGGBB colours are the same within what 16 bits per pixel
// keep (screens and converted pictures lose the low bits of each channel).
bool ColourNear(Uint32 a, Uint32 b);

// What `action` prints on standard output, where the game reports.
template <typename Action>
std::string Output(Action action) {
  testing::internal::CaptureStdout();
  action();
  return testing::internal::GetCapturedStdout();
}

// The path of `name` in a temporary folder of this test binary's own.
std::string TempPath(const std::string& name);
// Writes `bytes` to that path and returns it.
std::string WriteTempFile(const std::string& name, const std::string& bytes);
// A file's bytes; fails the test when it can't be read.
std::string ReadFile(const std::string& path);

// A CGame on the dummy display, with its own board and key array, installed
// as `theGame` for the lifetime of the harness. Pictures are not loaded; the
// board counts as loaded, so the completion rule applies to it.
struct GameHarness {
  GameHarness();
  ~GameHarness();
  CGame game;
  CLevel board;
  Uint8 keys[SDLK_LAST] = {};
};
