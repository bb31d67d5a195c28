// main.cpp: the browser's entry point. The browser paces the frames; each is
// one turn of the game's own loop, without the desktop's pause, which would
// block the page.
#include <emscripten.h>

#include "shell/game.h"

namespace {

float previousSeconds = 0.0f;

void Frame() {
  const int32_t before = theGame->screenState;
  LoopFrame(&previousSeconds, 0);
  // A page cannot close itself, and a game that stopped would leave a dead
  // one: Escape only leaves full screen, which the browser does by itself.
  if (theGame->screenState == GAME_QUIT) {
    theGame->screenState = before;
  }
}

}  // namespace

int main() {
  // The page is the window; full screen is the browser's to grant.
  char program[] = "velm2";
  char window[] = "-window";
  char* argv[] = {program, window, nullptr};
  if (StartGame(2, argv) != 0) {
    return -1;
  }
  emscripten_set_main_loop(Frame, 0, 1);
  return 0;
}
