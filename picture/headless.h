// headless.h: the game with its own pictures on SDL's dummy video driver.
//
// The tools that draw levels as the game draws them need the game object, its
// loaded pictures and a board, but no window. One place sets that up and takes
// it down again, so every such tool draws with exactly what the game loads.
#pragma once

#include <memory>

#include "board/level.h"
#include "shell/game.h"

// Starts SDL on the dummy driver, sets the game's video mode, loads the
// pictures from data/ (relative to the working directory) and installs the
// game as `theGame` with an empty board. `started` is false when SDL could not
// start; the line saying why is printed with `tool` in front.
struct HeadlessGame {
  explicit HeadlessGame(const char* tool);
  ~HeadlessGame();
  HeadlessGame(const HeadlessGame&) = delete;
  HeadlessGame& operator=(const HeadlessGame&) = delete;

  bool started = false;
  CGame game;
  std::unique_ptr<CLevel> board = std::make_unique<CLevel>();
};
