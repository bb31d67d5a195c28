// fuzz_support.cpp: the fuzz targets' shared game and in-memory file.
#include "tests/fuzz/fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "board/levelfile.h"
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
  const std::string header(reinterpret_cast<const char*>(data), std::min(size, LEVEL_HEADER_SIZE));
  return std::min(size, ReadLevelHeader(header).size);
}

void SilenceOutput() {
  if (!freopen("/dev/null", "w", stdout)) {
    abort();
  }
}
