// level.cpp: reading a level file into the board.
#include "board/level.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "board/levelfile.h"

namespace {

// Reads up to `size` bytes and gives their number. At the end of the file the
// rest of the buffer keeps its earlier contents; the first layer byte then
// notices the end, so callers need not look at the number.
size_t ReadBytes(FILE* file, void* buffer, size_t size) {
  return fread(buffer, 1, size, file);
}

// Reads an info text of `count` bytes into a buffer of `capacity`. Bytes past
// the buffer are skipped, so the layers are still found after the text; a
// negative count reads and skips nothing.
void ReadInfoText(FILE* file, char* buffer, int capacity, int count) {
  if (count <= 0) {
    return;
  }
  const int kept = std::min(count, capacity);
  ReadBytes(file, buffer, kept);
  fseek(file, count - kept, SEEK_CUR);
}

// Reads one layer, row by row. False when the file ends inside it.
bool ReadLayer(FILE* file, Tile (&layer)[BOARD_ROWS][BOARD_COLUMNS], int frame, int overhang) {
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const int kind = fgetc(file);
      if (kind == EOF) {
        return false;
      }
      layer[row][column].Init(CELL_SIZE * column - overhang, CELL_SIZE * row - overhang, frame,
                              frame, kind);
    }
  }
  return true;
}

}  // namespace

void CLevel::Load(const char* path) {
  FILE* file = fopen(path, "rb");
  if (!file) {
    printf("ERROR Load Level '%s': can't open file\n", path);
    return;
  }

  // Everything is read into a copy and kept only when the file was complete,
  // so a file that ends early leaves this board as it was.
  CLevel next = *this;
  ReadBytes(file, next.magic, sizeof next.magic);
  if (memcmp(next.magic, LEVEL_MAGIC, sizeof next.magic) != 0) {
    printf("ERROR Load Level '%s': wrong file format\n", path);
  }
  ReadBytes(file, &next.heroX, 1);
  ReadBytes(file, &next.heroY, 1);
  ReadBytes(file, &next.boxCount, 1);
  ReadBytes(file, next.infoLength, sizeof next.infoLength);
  ReadInfoText(file, next.infoText1, sizeof next.infoText1, next.infoLength[0]);
  ReadInfoText(file, next.infoText2, sizeof next.infoText2, next.infoLength[1]);
  ReadInfoText(file, next.infoText3, sizeof next.infoText3, next.infoLength[2]);
  ReadInfoText(file, next.infoText4, sizeof next.infoText4, next.infoLength[3]);
  ReadInfoText(file, next.infoText5, sizeof next.infoText5, next.infoLength[4]);

  if (!ReadLayer(file, next.objectLayer, OBJECT_FRAME, OBJECT_OVERHANG) ||
      !ReadLayer(file, next.groundLayer, GROUND_FRAME, 0)) {
    printf("ERROR Load Level '%s': wrong file lenght\n", path);
    fclose(file);
    return;
  }
  fclose(file);
  printf("Load Level '%s'... OK\n", path);
  *this = next;
  moveCount = 0;
  pushCount = 0;
  undoCount = 0;
}
