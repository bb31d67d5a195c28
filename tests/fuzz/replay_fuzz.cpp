// replay_fuzz.cpp: move strings replayed on any level. The input is a level
// (file bytes, as long as its header says) followed by the move letters. A
// replay that succeeds took one step per letter.
#include <cstring>

#include "board/levelread.h"
#include "board/replay.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const size_t levelSize = LevelFileSize(data, size);
  static CLevel level;
  level = CLevel();
  std::string error;
  if (!LoadLevelBytes(std::string(reinterpret_cast<const char*>(data), levelSize), &level,
                      &error)) {
    return 0;
  }
  std::string moves(reinterpret_cast<const char*>(data) + levelSize, size - levelSize);
  if (ReplayMoves(&level, moves, &error)) {
    std::string letters = moves;
    for (char end : {'\n', '\r'}) {
      if (!letters.empty() && letters.back() == end) {
        letters.pop_back();
      }
    }
    if (static_cast<size_t>(level.moveCount) != letters.size()) {
      __builtin_trap();  // a replay that succeeded skipped or doubled a step
    }
  }
  IsSolved(level);
  return 0;
}
