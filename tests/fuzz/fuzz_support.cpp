// fuzz_support.cpp: the fuzz targets' shared game and in-memory file.
#include "tests/fuzz/fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "gfx/tile.h"

namespace {

// A sheet of columns x rows frames in the display format, magenta-keyed like
// the loaded pictures, so drawing takes the same blit paths.
SDL_Surface* Sheet(int columns, int rows, int frame) {
  SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, columns * frame, rows * frame, 32,
                                            0xff0000, 0xff00, 0xff, 0);
  SDL_FillRect(sheet, nullptr, SDL_MapRGB(sheet->format, 255, 0, 255));
  SDL_Rect inside = {4, 4, static_cast<Uint16>(columns * frame - 8),
                     static_cast<Uint16>(rows * frame - 8)};
  SDL_FillRect(sheet, &inside, SDL_MapRGB(sheet->format, 90, 120, 30));
  SDL_SetColorKey(sheet, SDL_SRCCOLORKEY | SDL_RLEACCEL, SDL_MapRGB(sheet->format, 255, 0, 255));
  SDL_Surface* converted = SDL_DisplayFormat(sheet);
  SDL_FreeSurface(sheet);
  return converted;
}

}  // namespace

CGame& FuzzGame() {
  static CGame* game = [] {
    SilenceOutput();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    CGame* made = new CGame;
    made->screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, SDL_SWSURFACE);
    made->heroImage = Sheet(4, 4, OBJECT_FRAME);
    made->boxImage = Sheet(1, 2, OBJECT_FRAME);
    made->wallImage = Sheet(1, 1, OBJECT_FRAME);
    made->placeImage = Sheet(1, 1, GROUND_FRAME);
    made->floorImage = Sheet(1, 1, GROUND_FRAME);
    made->winImage = Sheet(1, 1, 100);
    made->level = new CLevel;
    theGame = made;
    return made;
  }();
  return *game;
}

const char* BytesAsFile(const uint8_t* data, size_t size) {
  static std::string path;
  static int file = -1;
  if (file < 0) {
    file = memfd_create("fuzz-input", 0);
    path = "/proc/self/fd/" + std::to_string(file);
  }
  if (ftruncate(file, 0) != 0 || pwrite(file, data, size, 0) != static_cast<ssize_t>(size)) {
    abort();
  }
  return path.c_str();
}

size_t LevelFileSize(const uint8_t* data, size_t size) {
  size_t texts = 0;
  for (size_t i = 21; i < 26 && i < size; i++) {
    texts += static_cast<int8_t>(data[i]) > 0 ? data[i] : 0;
  }
  return std::min(size, 1026 + texts);
}

void SilenceOutput() {
  if (!freopen("/dev/null", "w", stdout)) {
    abort();
  }
}
