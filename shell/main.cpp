// main.cpp: the entry point: command line, library start-up and the frame loop.
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/game.h"

int main(int argc, char* argv[]) {
  // Each report line is written whole as it happens, even into a file or a
  // pipe: lines kept back in a buffer would be lost with a crash.
  setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
  // Only the first argument counts: "-window", or the path of a level file.
  bool fullscreen = true;
  const char* levelPath = nullptr;
  if (argc > 1) {
    if (strcmp(argv[1], "-window") == 0) {
      fullscreen = false;
    } else {
      levelPath = argv[1];
    }
  }

  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    printf("ERROR init SDL: %s\n", SDL_GetError());
    return -1;
  }
  // Without a display the library falls back to a driver no one can play on:
  // text art in the terminal over the game's report lines (SDL 1.2), or an
  // invisible screen (SDL 2 under the compatibility library). Such a driver
  // counts as no display unless the player named it himself.
  char driver[32] = "";
  SDL_VideoDriverName(driver, sizeof driver);
  const char* fallbacks[] = {"caca", "aalib", "offscreen"};
  for (const char* fallback : fallbacks) {
    if (!getenv("SDL_VIDEODRIVER") && strcmp(driver, fallback) == 0) {
      SDL_Quit();
      printf("ERROR init SDL: no display to open a window on (only the '%s' driver)\n", driver);
      return -1;
    }
  }
  printf("Init SDL video... OK\n");
  atexit(SDL_Quit);

  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    printf("ERROR init audio subsysytem. %s\n", SDL_GetError());
  } else {
    printf("Init SDL audio... OK\n");
  }

  SDL_WM_SetCaption("Velm 2", "");

  theGame = new CGame;
  theGame->fullscreen = fullscreen ? 1 : 0;
  theGame->Init();
  if (levelPath) {
    theGame->LoadLevelFile(levelPath);
  } else {
    theGame->LoadLevel(theGame->levelNumber);
  }
  theGame->screenState = GAME_PLAY;

  float previousSeconds = 0.0f;
  while (theGame->screenState != GAME_QUIT) {
    SDLMod modifiers = SDL_GetModState();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      theGame->HandleEvent(&event, modifiers);
    }
    SDL_Delay(1);
    theGame->RunFrame(FrameTime(SDL_GetTicks(), &previousSeconds));
    theGame->Present();
  }

  theGame->FreeImages();
  return 0;
}
