// solver_levels.h: boards for the solver tests: small pictures of rooms and
// random levels with objects half a block apart.
#pragma once

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "board/grid.h"
#include "board/level.h"
#include "tests/board_text.h"

// Puts an object-layer and a ground-layer tile at a cell, as a load would.
inline void PlaceTiles(CLevel* level, int column, int row, int object, int ground) {
  level->objectLayer[row][column].Init(ObjectFrameEdge(column), ObjectFrameEdge(row), OBJECT_FRAME,
                                       OBJECT_FRAME, object);
  level->groundLayer[row][column].Init(CELL_SIZE * column, CELL_SIZE * row, GROUND_FRAME,
                                       GROUND_FRAME, ground);
}

// A board loaded from a picture of cells, rows split by '|', its top left at
// column 2, row 2: '#' wall, '$' box, '@' hero, 'o' place, '*' box on a place,
// '+' hero on a place; other characters hold nothing.
inline void PictureLevel(CLevel* level, const std::string& picture) {
  std::vector<Cell> objects;
  std::vector<Cell> ground;
  int column = 2;
  int row = 2;
  for (const char what : picture) {
    if (what == '|') {
      column = 1;
      row++;
    } else if (strchr("#$@*+", what)) {
      objects.push_back({column, row, what == '*' ? '$' : what == '+' ? '@' : what});
    }
    if (strchr("o*+", what)) {
      ground.push_back({column, row, 'o'});
    }
    column++;
  }
  LoadBoardText(level, BoardText(objects, ground));
}

// A random level: a room of `columns` x `rows` cells (even numbers) at a
// random spot, holding the hero, `boxes` boxes, some walls and as many places
// as boxes at random anchors half a block apart, no two bodies overlapping;
// with `border` a closed ring of walls around the room.
inline void RandomLevel(std::mt19937* random, CLevel* level, int columns, int rows, int boxes,
                        bool border) {
  *level = CLevel();
  auto draw = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(*random);
  };
  const int left = border ? draw(2, BOARD_COLUMNS - 2 - columns) : draw(0, BOARD_COLUMNS - columns);
  const int top = border ? draw(2, BOARD_ROWS - 2 - rows) : draw(0, BOARD_ROWS - rows);
  // Bodies never overlap; a place lies under no wall, so that it can be reached.
  auto clear = [&](int column, int row, int kind) {
    for (int r = row - 1; r <= row + 1; r++) {
      for (int c = column - 1; c <= column + 1; c++) {
        const int near = ObjectKindAt(*level, c, r);
        if (kind == TILE_PLACE ? near == TILE_WALL : near != TILE_NONE) {
          return false;
        }
      }
    }
    return kind != TILE_PLACE || level->groundLayer[row][column].kind != TILE_PLACE;
  };
  auto put = [&](int column, int row, int kind) {
    const bool place = kind == TILE_PLACE;
    PlaceTiles(level, column, row, place ? level->objectLayer[row][column].kind : kind,
               place ? TILE_PLACE : TILE_FLOOR);
    if (kind == TILE_HERO) {
      level->heroX = static_cast<uint8_t>(column);
      level->heroY = static_cast<uint8_t>(row);
    }
  };
  for (int r = top - 2; border && r <= top + rows; r += 2) {
    for (int c = left - 2; c <= left + columns; c += 2) {
      if (r == top - 2 || r == top + rows || c == left - 2 || c == left + columns) {
        put(c, r, TILE_WALL);
      }
    }
  }
  auto scatter = [&](int kind, int count) {
    for (int tries = 0; count > 0 && tries < 1000; tries++) {
      // A box against the room's edge could seldom be pushed off it again.
      const int edge = kind == TILE_BOX || kind == TILE_PLACE ? 2 : 0;
      const int column = draw(left + edge, left + columns - 2 - edge);
      const int row = draw(top + edge, top + rows - 2 - edge);
      if (clear(column, row, kind)) {
        put(column, row, kind);
        count--;
      }
    }
  };
  scatter(TILE_HERO, 1);
  scatter(TILE_BOX, boxes);
  scatter(TILE_WALL, columns * rows / 48);
  scatter(TILE_PLACE, boxes);
  level->boxCount = static_cast<uint8_t>(boxes);
}
