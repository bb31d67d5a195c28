// level_read_fuzz.cpp: the tools' quiet level reader on any file contents. A
// level it reads must be the very board the game's own loader makes of the
// same bytes, and a text it builds must build again from its own text.
#include <cstring>

#include "board/levelfile.h"
#include "board/levelread.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

std::string BoardState(const CLevel& level) {
  return std::string(reinterpret_cast<const char*>(&level) + sizeof(void*),
                     sizeof(CLevel) - sizeof(void*));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SilenceOutput();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string contents(reinterpret_cast<const char*>(data), size);
  std::string bytes;
  std::string error;
  if (!LevelContentsToBytes(contents, &bytes, &error)) {
    return 0;
  }
  // Both boards start alike, so bytes the loaders leave alone compare equal.
  static CLevel quiet;
  static CLevel game;
  quiet = CLevel();
  game = CLevel();
  if (LoadLevelBytes(bytes, &quiet, &error)) {
    game.Load(BytesAsFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    if (BoardState(quiet) != BoardState(game)) {
      __builtin_trap();  // the tools would check another board than the game plays
    }
  }
  return 0;
}
