// level_tools_fuzz.cpp: the level check and the classic import. Any input is
// judged and imported without a stray access, and a level the check finds
// clean loads.
#include <cstdint>
#include <string>

#include "board/import.h"
#include "board/levelcheck.h"
#include "board/levelread.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string bytes;
  std::string text;
  std::string error;
  static CLevel board;

  if (CheckLevelContents(input).empty()) {
    if (!LevelContentsToBytes(input, &bytes, &error) || !LoadLevelBytes(bytes, &board, &error)) {
      __builtin_trap();  // a level the check passed does not load
    }
  }
  for (const ClassicLevel& level : ParseClassicLevels(input)) {
    ClassicToLevelText(level, &text, &error);
  }
  return 0;
}
