// solver_levels.cpp: boards for the solver tests.
#include "tests/solver_levels.h"

#include <algorithm>
#include <cstring>

#include "board/grid.h"

void PlaceTiles(CLevel* level, int column, int row, int object, int ground) {
  level->objectLayer[row][column].Init(ObjectFrameEdge(column), ObjectFrameEdge(row), OBJECT_FRAME,
                                       OBJECT_FRAME, object);
  level->groundLayer[row][column].Init(CELL_SIZE * column, CELL_SIZE * row, GROUND_FRAME,
                                       GROUND_FRAME, ground);
}

void PictureLevel(CLevel* level, const std::string& picture, int left, int top) {
  *level = CLevel();
  int column = left;
  int row = top;
  for (const char what : picture) {
    if (what == '|') {
      column = left;
      row++;
      continue;
    }
    const int object = what == '#'                  ? TILE_WALL
                       : what == '$' || what == '*' ? TILE_BOX
                       : what == '@' || what == '+' ? TILE_HERO
                                                    : TILE_NONE;
    PlaceTiles(level, column, row, object, strchr("o*+", what) ? TILE_PLACE : TILE_FLOOR);
    level->boxCount += object == TILE_BOX;
    if (object == TILE_HERO) {
      level->heroX = static_cast<uint8_t>(column);
      level->heroY = static_cast<uint8_t>(row);
    }
    column++;
  }
}

void RandomLevel(std::mt19937* random, CLevel* level, int boxes, bool border) {
  *level = CLevel();
  std::vector<int> covered(BOARD_COLUMNS * BOARD_ROWS + 2 * BOARD_COLUMNS, 0);
  auto fits = [&](int column, int row) {
    for (int cell : {0, 1, BOARD_COLUMNS, BOARD_COLUMNS + 1}) {
      if (covered[row * BOARD_COLUMNS + column + cell]) {
        return false;
      }
    }
    return true;
  };
  auto put = [&](int column, int row, int kind) {
    for (int cell : {0, 1, BOARD_COLUMNS, BOARD_COLUMNS + 1}) {
      covered[row * BOARD_COLUMNS + column + cell] = 1;
    }
    PlaceTiles(level, column, row, kind, TILE_FLOOR);
  };
  for (int i = 0; border && i <= 22; i += 2) {
    put(i, 0, TILE_WALL);
    put(i, 18, TILE_WALL);
    put(0, std::min(i, 16), TILE_WALL);
    put(22, std::min(i, 16), TILE_WALL);
  }
  // Objects crowd into a part of the board so that they meet often.
  const int width = std::uniform_int_distribution<int>(6, 23)(*random);
  const int height = std::uniform_int_distribution<int>(6, 18)(*random);
  const int left = std::uniform_int_distribution<int>(0, 23 - width)(*random);
  const int top = std::uniform_int_distribution<int>(0, 18 - height)(*random);
  auto scatter = [&](int kind, int count) {
    for (int tries = 0; count > 0 && tries < 1000; tries++) {
      const int column = left + std::uniform_int_distribution<int>(0, width)(*random);
      const int row = top + std::uniform_int_distribution<int>(0, height)(*random);
      if (fits(column, row)) {
        put(column, row, kind);
        if (kind == TILE_HERO) {
          level->heroX = static_cast<uint8_t>(column);
          level->heroY = static_cast<uint8_t>(row);
        }
        count--;
      }
    }
  };
  scatter(TILE_HERO, 1);
  scatter(TILE_BOX, boxes);
  scatter(TILE_WALL, width * height / 12);
  for (int placed = 0; placed < boxes;) {
    const int column = left + std::uniform_int_distribution<int>(0, width)(*random);
    const int row = top + std::uniform_int_distribution<int>(0, height)(*random);
    if (level->groundLayer[row][column].kind != TILE_PLACE) {
      PlaceTiles(level, column, row, level->objectLayer[row][column].kind, TILE_PLACE);
      placed++;
    }
  }
  level->boxCount = static_cast<uint8_t>(boxes);
}
