// support.cpp: shared helpers for the headless tests.
#include "tests/support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

SDL_Surface* DummyScreen() {
  static bool started = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    return SDL_SetVideoMode(640, 480, 16, SDL_SWSURFACE) != nullptr;
  }();
  // A test that switches the display mode gets the library a new screen.
  return started ? SDL_GetVideoSurface() : nullptr;
}

SDL_Surface* SolidSurface(int width, int height, Uint8 r, Uint8 g, Uint8 b) {
  SDL_Surface* surface =
      SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xff0000, 0xff00, 0xff, 0);
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, r, g, b));
  return surface;
}

Uint32 PixelAt(SDL_Surface* surface, int x, int y) {
  SDL_LockSurface(surface);
  Uint32 value = 0;  // the pixel's bytes, low byte first as on the machines we run on
  memcpy(&value,
         static_cast<const Uint8*>(surface->pixels) + y * surface->pitch +
             x * surface->format->BytesPerPixel,
         surface->format->BytesPerPixel);
  SDL_UnlockSurface(surface);
  Uint8 r, g, b;
  SDL_GetRGB(value, surface->format, &r, &g, &b);
  return r << 16 | g << 8 | b;
}

Uint32 ColourOn(SDL_Surface* surface, Uint8 r, Uint8 g, Uint8 b) {
  Uint8 r2, g2, b2;
  SDL_GetRGB(SDL_MapRGB(surface->format, r, g, b), surface->format, &r2, &g2, &b2);
  return r2 << 16 | g2 << 8 | b2;
}

bool ColourNear(Uint32 a, Uint32 b) {
  for (int shift = 0; shift < 24; shift += 8) {
    int difference = static_cast<int>(a >> shift & 0xff) - static_cast<int>(b >> shift & 0xff);
    if (difference < -8 || difference > 8) {
      return false;
    }
  }
  return true;
}

namespace {

// A folder of this test binary's own, removed with all it holds at exit.
struct TempFolder {
  TempFolder() {
    const char* base = getenv("TMPDIR");
    path = std::string(base ? base : "/tmp") + "/velm2-test-XXXXXX";
    if (!mkdtemp(path.data())) {
      path = "/tmp";
    }
  }
  ~TempFolder() {
    if (path != "/tmp") {
      std::filesystem::remove_all(path);
    }
  }
  std::string path;
};

}  // namespace

std::string TempPath(const std::string& name) {
  static const TempFolder folder;
  return folder.path + "/" + name;
}

std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  const std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << "can't open " << path;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

GameHarness::GameHarness() {
  game.screen = DummyScreen();
  game.level = &board;
  game.keys = keys;
  // Tests lay tiles into the board by hand; it plays as a loaded level.
  board.loaded = true;
  theGame = &game;
}

GameHarness::~GameHarness() {
  theGame = nullptr;
}
