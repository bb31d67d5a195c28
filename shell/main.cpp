// main.cpp: the desktop's entry point: start-up, the frame loop, shutdown.
#include "shell/game.h"

int main(int argc, char* argv[]) {
  if (StartGame(argc, argv) != 0) {
    return -1;
  }
  float previousSeconds = 0.0f;
  while (theGame->screenState != GAME_QUIT) {
    LoopFrame(&previousSeconds, 1);
  }
  theGame->FreeImages();
  return 0;
}
