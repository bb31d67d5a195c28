// level.cpp: velm2-level, converting level files to and from text.
//
//   velm2-level build TEXT LEVELFILE   writes the level file of a text level
//   velm2-level show LEVELFILE         prints a level file as a text level
//
// The text format is described in board/levelfile.h and level/README.md.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "board/levelfile.h"
#include "board/regularfile.h"

namespace {

// Far more than any level file (at most 1333 bytes) or text level needs.
const long MAX_INPUT_BYTES = 1 << 20;

bool ReadFile(const char* path, std::string* bytes) {
  std::string error;
  if (!ReadRegularFile(path, MAX_INPUT_BYTES, bytes, &error)) {
    printf("ERROR velm2-level: '%s': %s\n", path, error.c_str());
    return false;
  }
  return true;
}

int Build(const char* textPath, const char* levelPath) {
  std::string text;
  std::string bytes;
  std::string error;
  if (!ReadFile(textPath, &text)) {
    return 1;
  }
  if (!LevelTextToBytes(text, &bytes, &error)) {
    printf("ERROR velm2-level: '%s': %s\n", textPath, error.c_str());
    return 1;
  }
  std::ofstream level(levelPath, std::ios::binary);
  if (!level.write(bytes.data(), bytes.size()) || !level.flush()) {
    printf("ERROR velm2-level: can't write '%s'\n", levelPath);
    return 1;
  }
  return 0;
}

int Show(const char* levelPath) {
  std::string bytes;
  std::string text;
  std::string error;
  if (!ReadFile(levelPath, &bytes)) {
    return 1;
  }
  if (!LevelBytesToText(bytes, &text, &error)) {
    printf("ERROR velm2-level: '%s': %s\n", levelPath, error.c_str());
    return 1;
  }
  fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 4 && strcmp(argv[1], "build") == 0) {
    return Build(argv[2], argv[3]);
  }
  if (argc == 3 && strcmp(argv[1], "show") == 0) {
    return Show(argv[2]);
  }
  printf("usage: velm2-level build TEXT LEVELFILE\n       velm2-level show LEVELFILE\n");
  return 2;
}
