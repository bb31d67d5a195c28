// level_list_fuzz.cpp: a level pack whose list file holds any bytes, then
// LoadLevel with numbers in and around the list and one from the input.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/fuzz/fuzz_support.h"

namespace {

// A pack directory of its own; its list file is rewritten for every input.
const std::string& Pack() {
  static const std::string pack = [] {
    char pattern[] = "/tmp/velm2-fuzz-pack-XXXXXX";
    if (!mkdtemp(pattern)) {
      abort();
    }
    return std::string(pattern);
  }();
  return pack;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SilenceOutput();
  FuzzGame();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* list = fopen((Pack() + "/list").c_str(), "wb");
  if (!list || fwrite(data, 1, size, list) != size || fclose(list) != 0) {
    abort();
  }
  CGame& game = FuzzGame();
  game.levelList.clear();
  game.LoadLevelPak(Pack().c_str());

  uint32_t chosen = 0;
  memcpy(&chosen, data, std::min(size, sizeof chosen));
  const uint32_t count = static_cast<uint32_t>(game.levelList.size());
  for (uint32_t number : {0u, 1u, count, count + 1, chosen, 0xffffffffu}) {
    game.LoadLevel(number);
  }
  game.levelNumber = 0;
  PrevLevel();
  NextLevel();
  NextLevel();
  return 0;
}
