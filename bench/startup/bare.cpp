// bare.cpp: the least a game on this library can do, for scripts/bench to set
// beside the game's start-up time and memory: open the same window, show one
// empty frame, and run until told to quit.
#include <SDL/SDL.h>

int main() {
  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    return 1;
  }
  SDL_Surface* screen = SDL_SetVideoMode(640, 480, 16, SDL_SWSURFACE);
  if (!screen) {
    return 1;
  }
  for (;;) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      // The library turns SIGTERM into a quit event.
      if (event.type == SDL_QUIT) {
        SDL_Quit();
        return 0;
      }
    }
    SDL_UpdateRect(screen, 0, 0, 0, 0);
    SDL_Delay(10);
  }
}
