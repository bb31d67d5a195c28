// headless.cpp: the game with its own pictures on SDL's dummy video driver.
#include "picture/headless.h"

#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "gfx/font.h"

HeadlessGame::HeadlessGame(const char* tool) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    printf("ERROR %s: can't start SDL. %s\n", tool, SDL_GetError());
    return;
  }
  started = true;
  theGame = &game;
  game.InitDisplay();
  game.LoadImages();
  game.level = board.get();
}

HeadlessGame::~HeadlessGame() {
  if (!started) {
    return;
  }
  game.FreeImages();
  delete game.font;
  theGame = nullptr;
  SDL_Quit();
}
