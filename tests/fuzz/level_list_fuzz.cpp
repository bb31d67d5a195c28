// level_list_fuzz.cpp: a level pack whose list file holds any bytes, then
// LoadLevel with numbers in and around the list and one from the input.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/fuzz/fuzz_support.h"

// A pack directory of its own; its list file is rewritten for every input.
static char pack[] = "/tmp/velm2-fuzz-pack-XXXXXX";

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!mkdtemp(pack)) {
    abort();
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* list = fopen((std::string(pack) + "/list").c_str(), "wb");
  if (!list || fwrite(data, 1, size, list) != size || fclose(list) != 0) {
    abort();
  }
  CGame& game = FuzzGame();
  game.levelList.clear();
  game.LoadLevelPak(pack);

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
