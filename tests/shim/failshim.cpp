// failshim.cpp: a library preloaded into the game by tests that make one of
// the SDL calls the game checks fail, to see the game report it and go on.
//
// VELM2_FAIL names the call and optionally which of the game's own calls to
// it fails, counted from 1: "SDL_SetVideoMode:2" fails the second, and
// "SDL_RWFromFile" every one. Calls the library makes to itself pass.
#include <SDL/SDL.h>
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Whether this call, made from `caller`, is the one to fail.
bool ShouldFail(const char* function, void* caller) {
  const char* wanted = getenv("VELM2_FAIL");
  const size_t length = strlen(function);
  if (!wanted || strncmp(wanted, function, length) != 0 ||
      (wanted[length] != '\0' && wanted[length] != ':')) {
    return false;
  }
  Dl_info place;
  if (dladdr(caller, &place) && place.dli_fname && strstr(place.dli_fname, "libSDL")) {
    return false;
  }
  static int calls = 0;
  calls++;
  return wanted[length] == '\0' || atoi(wanted + length + 1) == calls;
}

// The shimmed call: when it is the one to fail, the error the game reports
// and `failed`; otherwise what the real call returns.
template <typename Result, typename... Args>
Result Call(const char* name, void* caller, Result failed, Args... args) {
  if (ShouldFail(name, caller)) {
    SDL_SetError("failed on purpose");
    return failed;
  }
  return reinterpret_cast<Result (*)(Args...)>(dlsym(RTLD_NEXT, name))(args...);
}

const auto NO_SURFACE = static_cast<SDL_Surface*>(nullptr);

}  // namespace

extern "C" {

SDL_Surface* SDL_SetVideoMode(int width, int height, int depth, Uint32 flags) {
  return Call("SDL_SetVideoMode", __builtin_return_address(0), NO_SURFACE, width, height, depth,
              flags);
}

SDL_Surface* SDL_DisplayFormat(SDL_Surface* surface) {
  return Call("SDL_DisplayFormat", __builtin_return_address(0), NO_SURFACE, surface);
}

SDL_Surface* SDL_CreateRGBSurface(Uint32 flags, int width, int height, int depth, Uint32 red,
                                  Uint32 green, Uint32 blue, Uint32 alpha) {
  return Call("SDL_CreateRGBSurface", __builtin_return_address(0), NO_SURFACE, flags, width, height,
              depth, red, green, blue, alpha);
}

SDL_RWops* SDL_RWFromFile(const char* file, const char* mode) {
  return Call("SDL_RWFromFile", __builtin_return_address(0), static_cast<SDL_RWops*>(nullptr), file,
              mode);
}
}
