// import_fuzz.cpp: the classic-notation importer and the level checker on any
// text. A level the checker finds clean loads; every level the importer
// accepts is a text level that builds and that the checker finds clean.
#include <cstdint>
#include <string>

#include "board/import.h"
#include "board/levelcheck.h"
#include "board/levelfile.h"
#include "board/levelread.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string bytes;
  std::string error;
  static CLevel board;
  if (CheckLevelContents(input).empty()) {
    if (!LevelContentsToBytes(input, &bytes, &error) || !LoadLevelBytes(bytes, &board, &error)) {
      __builtin_trap();  // a level the check passed does not load
    }
  }
  for (const ClassicLevel& classic : ParseClassicLevels(input)) {
    std::string text;
    if (!ClassicToLevelText(classic, &text, &error)) {
      continue;
    }
    if (!LevelTextToBytes(text, &bytes, &error)) {
      __builtin_trap();  // the importer wrote a text that is no level
    }
    if (!CheckLevelContents(text).empty()) {
      __builtin_trap();  // the importer wrote a level the checker faults
    }
  }
  return 0;
}
