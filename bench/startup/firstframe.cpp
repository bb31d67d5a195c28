// firstframe.cpp: preloaded into the game by scripts/bench to time its
// start-up: the first update of the screen prints the milliseconds since the
// process was loaded on standard error.
#include <SDL/SDL.h>
#include <dlfcn.h>

#include <chrono>
#include <cstdio>

namespace {

const auto loaded = std::chrono::steady_clock::now();

}  // namespace

extern "C" void SDL_UpdateRect(SDL_Surface* screen, Sint32 x, Sint32 y, Uint32 w, Uint32 h) {
  static bool first = true;
  if (first) {
    first = false;
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - loaded;
    fprintf(stderr, "first frame %.1f ms\n", spent.count());
  }
  reinterpret_cast<void (*)(SDL_Surface*, Sint32, Sint32, Uint32, Uint32)>(
      dlsym(RTLD_NEXT, "SDL_UpdateRect"))(screen, x, y, w, h);
}
