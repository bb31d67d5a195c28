// import_fuzz.cpp: the classic-notation importer and the level checker on any
// text. Every level the importer accepts is a text level that builds, and the
// checker finds it clean.
#include <cstdint>
#include <string>

#include "board/import.h"
#include "board/levelcheck.h"
#include "board/levelfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  CheckLevelContents(input);
  for (const ClassicLevel& classic : ParseClassicLevels(input)) {
    std::string text;
    std::string bytes;
    std::string error;
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
