// main.cpp: the desktop's entry point: start-up, the frame loop, shutdown.
#include "shell/game.h"

int main(int argc, char* argv[]) {
  // Each report line is written whole as it happens, even into a file or a
  // pipe: lines kept back in a buffer would be lost with a crash.
  setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
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
