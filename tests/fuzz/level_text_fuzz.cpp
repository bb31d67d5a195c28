// level_text_fuzz.cpp: the text level reader and writer. Any text that builds
// shows again as a text that builds to the same bytes, and any bytes that show
// as text build back to themselves.
#include <cstdint>
#include <string>

#include "board/levelfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string bytes;
  std::string text;
  std::string again;
  std::string error;

  if (LevelTextToBytes(input, &bytes, &error)) {
    if (!LevelBytesToText(bytes, &text, &error) || !LevelTextToBytes(text, &again, &error) ||
        again != bytes) {
      __builtin_trap();  // a text that built did not show and build back the same
    }
  }
  if (LevelBytesToText(input, &text, &error)) {
    if (!LevelTextToBytes(text, &again, &error) || again != input) {
      __builtin_trap();  // shown bytes did not build back to themselves
    }
  }
  return 0;
}
