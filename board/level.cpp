// level.cpp: reading a level file into the board.
#include "board/level.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "board/levelfile.h"
#include "board/levelread.h"

namespace {

void TakeLayer(const std::string& bytes, size_t offset, Tile (&layer)[BOARD_ROWS][BOARD_COLUMNS],
               int frame, int overhang) {
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const unsigned char kind = bytes[offset + row * BOARD_COLUMNS + column];
      layer[row][column].Init(CELL_SIZE * column - overhang, CELL_SIZE * row - overhang, frame,
                              frame, kind);
    }
  }
}

}  // namespace

bool FillLevel(const std::string& bytes, CLevel* level) {
  const LevelHeader header = ReadLevelHeader(bytes);
  if (bytes.size() < header.size) {
    return false;
  }
  memcpy(level->magic, bytes.data(), sizeof level->magic);
  level->heroX = header.heroX;
  level->heroY = header.heroY;
  level->boxCount = header.boxCount;
  char* const texts[INFO_TEXT_COUNT] = {level->infoText1, level->infoText2, level->infoText3,
                                        level->infoText4, level->infoText5};
  const size_t capacities[INFO_TEXT_COUNT] = {sizeof level->infoText1, sizeof level->infoText2,
                                              sizeof level->infoText3, sizeof level->infoText4,
                                              sizeof level->infoText5};
  for (int index = 0; index < INFO_TEXT_COUNT; index++) {
    const int length = header.infoLength[index];
    level->infoLength[index] = static_cast<int8_t>(length);
    // A text too long for its buffer is cut to it; the bytes of the buffer
    // after the text keep what they held.
    if (length > 0) {
      memcpy(texts[index], bytes.data() + header.infoAt[index],
             std::min(static_cast<size_t>(length), capacities[index]));
    }
  }
  TakeLayer(bytes, header.objectsAt, level->objectLayer, OBJECT_FRAME, OBJECT_OVERHANG);
  TakeLayer(bytes, header.groundAt, level->groundLayer, GROUND_FRAME, 0);
  level->loaded = true;
  level->moveCount = 0;
  level->pushCount = 0;
  level->undoCount = 0;
  return true;
}

void CLevel::Load(const char* path) {
  // Only the bytes a level can use are read; anything after them never is.
  std::string bytes;
  std::string error;
  if (!ReadRegularFile(path, LEVEL_FILE_MAX_BYTES, &bytes, &error)) {
    printf("ERROR Load Level '%s': can't open file\n", path);
    return;
  }
  // The magic is judged as FillLevel stores it: a file shorter than the magic
  // leaves the earlier level's bytes in place.
  const size_t held = std::min(bytes.size(), sizeof magic);
  if (!StartsAsLevelFile(bytes) ||
      memcmp(magic + held, LEVEL_MAGIC + held, sizeof magic - held) != 0) {
    printf("ERROR Load Level '%s': wrong file format\n", path);
  }
  if (!FillLevel(bytes, this)) {
    printf("ERROR Load Level '%s': wrong file lenght\n", path);
    return;
  }
  printf("Load Level '%s'... OK\n", path);
}
