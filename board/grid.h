// grid.h: cells, anchors and single steps on the 25 x 20 board grid.
//
// The move rules and the undo journal look at cells around the hero that may
// lie off the grid in a level without border walls; these helpers are where
// the grid's edges are decided, so no rule indexes a layer on its own.
#pragma once

#include "board/level.h"

// One cell along a direction code.
struct CellStep {
  int dx = 0;
  int dy = 0;
};

// The step of a direction code; (0, 0) for a code that is no direction.
CellStep StepOf(int direction);

// True for an anchor whose 2 x 2 body lies on the grid: columns 0 to 23 and
// rows 0 to 18.
bool IsAnchorOnBoard(int column, int row);

// The kind of the object-layer tile at a cell; TILE_NONE off the grid, so a
// cell there is empty and never a box.
int ObjectKindAt(const CLevel& level, int column, int row);

// The left (or top) screen edge of an object frame anchored at a column (or
// row): frames reach 14 pixels above and left of their anchor cell.
inline int ObjectFrameEdge(int cell) {
  return CELL_SIZE * cell - OBJECT_OVERHANG;
}
