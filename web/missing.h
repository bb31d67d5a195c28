// missing.h: what the browser's SDL headers leave out of the SDL 1.2 that the
// game is written for; the web build includes it before every source.
#pragma once

#include <SDL/SDL.h>

#ifdef __cplusplus
extern "C" {
#endif

// Defined by the browser's library, which indexes the array by key symbol.
Uint8* SDL_GetKeyState(int* numkeys);

#ifdef __cplusplus
}
#endif
