// level.cpp: reading a level file into the board.
#include "board/level.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "board/levelfile.h"
#include "board/levelread.h"

namespace {

// Copies up to `size` bytes from `offset` on and moves the offset past them.
// Where the bytes end the rest of the buffer keeps its earlier contents; the
// first layer byte then notices the end.
void TakeBytes(const std::string& bytes, size_t* offset, void* buffer, size_t size) {
  if (*offset < bytes.size()) {
    memcpy(buffer, bytes.data() + *offset, std::min(size, bytes.size() - *offset));
  }
  *offset += size;
}

// Takes an info text of `count` bytes into a buffer of `capacity`. Bytes past
// the buffer are skipped, so the layers are still found after the text; a
// negative count takes and skips nothing.
void TakeInfoText(const std::string& bytes, size_t* offset, char* buffer, int capacity, int count) {
  if (count <= 0) {
    return;
  }
  const int kept = std::min(count, capacity);
  TakeBytes(bytes, offset, buffer, kept);
  *offset += count - kept;
}

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
  // Everything is read into a copy and kept only when the bytes were complete,
  // so bytes that end early leave the board as it was.
  CLevel next = *level;
  size_t offset = 0;
  TakeBytes(bytes, &offset, next.magic, sizeof next.magic);
  TakeBytes(bytes, &offset, &next.heroX, 1);
  TakeBytes(bytes, &offset, &next.heroY, 1);
  TakeBytes(bytes, &offset, &next.boxCount, 1);
  TakeBytes(bytes, &offset, next.infoLength, sizeof next.infoLength);
  TakeInfoText(bytes, &offset, next.infoText1, sizeof next.infoText1, next.infoLength[0]);
  TakeInfoText(bytes, &offset, next.infoText2, sizeof next.infoText2, next.infoLength[1]);
  TakeInfoText(bytes, &offset, next.infoText3, sizeof next.infoText3, next.infoLength[2]);
  TakeInfoText(bytes, &offset, next.infoText4, sizeof next.infoText4, next.infoLength[3]);
  TakeInfoText(bytes, &offset, next.infoText5, sizeof next.infoText5, next.infoLength[4]);

  const size_t layerSize = BOARD_ROWS * BOARD_COLUMNS;
  if (bytes.size() < offset + 2 * layerSize) {
    return false;
  }
  TakeLayer(bytes, offset, next.objectLayer, OBJECT_FRAME, OBJECT_OVERHANG);
  TakeLayer(bytes, offset + layerSize, next.groundLayer, GROUND_FRAME, 0);
  *level = next;
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
  char magicRead[sizeof magic];
  memcpy(magicRead, magic, sizeof magic);
  memcpy(magicRead, bytes.data(), std::min(bytes.size(), sizeof magic));
  if (memcmp(magicRead, LEVEL_MAGIC, sizeof magic) != 0) {
    printf("ERROR Load Level '%s': wrong file format\n", path);
  }
  if (!FillLevel(bytes, this)) {
    printf("ERROR Load Level '%s': wrong file lenght\n", path);
    return;
  }
  printf("Load Level '%s'... OK\n", path);
}
