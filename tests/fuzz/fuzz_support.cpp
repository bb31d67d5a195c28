// fuzz_support.cpp: the fuzz targets' shared game and in-memory file.
#include "tests/fuzz/fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "picture/headless.h"

CGame& FuzzGame() {
  static HeadlessGame* headless = [] {
    SilenceOutput();
    return new HeadlessGame("fuzz");
  }();
  return headless->game;
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
