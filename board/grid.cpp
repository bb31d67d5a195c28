// grid.cpp: cells, anchors and single steps on the 25 x 20 board grid.
#include "board/grid.h"

CellStep StepOf(int direction) {
  switch (direction) {
    case DIR_UP:
      return {0, -1};
    case DIR_DOWN:
      return {0, 1};
    case DIR_LEFT:
      return {-1, 0};
    case DIR_RIGHT:
      return {1, 0};
    default:
      return {};
  }
}

bool IsAnchorOnBoard(int column, int row) {
  return column >= 0 && column < BOARD_COLUMNS - 1 && row >= 0 && row < BOARD_ROWS - 1;
}

int ObjectKindAt(const CLevel& level, int column, int row) {
  const bool onGrid = column >= 0 && column < BOARD_COLUMNS && row >= 0 && row < BOARD_ROWS;
  return onGrid ? level.objectLayer[row][column].kind : TILE_NONE;
}
