// design.h: a level as the generator handles it: walls, floors, places, boxes
// and the hero as lists of anchors, with the text level it is written as.
//
// An anchor is one number, row * BOARD_COLUMNS + column, so sets of anchors fit
// in a bitset and a state of the search in a few small integers.
#pragma once

#include <bitset>
#include <string>
#include <vector>

#include "board/level.h"

const int ANCHORS = BOARD_ROWS * BOARD_COLUMNS;
using AnchorSet = std::bitset<ANCHORS>;

inline int AnchorAt(int column, int row) {
  return row * BOARD_COLUMNS + column;
}
inline int ColumnOf(int anchor) {
  return anchor % BOARD_COLUMNS;
}
inline int RowOf(int anchor) {
  return anchor / BOARD_COLUMNS;
}

struct Design {
  std::vector<int> walls;
  std::vector<int> floors;
  std::vector<int> places;
  std::vector<int> boxes;
  int hero = -1;
};

// The design of a loaded level: its object and ground layers as anchor lists.
Design DesignOf(const CLevel& level);

// The text level of a design, with `title` as info1 and `author` as info2.
std::string TextOf(const Design& design, const std::string& title, const std::string& author);

// The anchors where a 2 x 2 body lies on the board and overlaps no wall: where
// the hero or a box may stand when nothing else is in the way.
AnchorSet OpenAnchors(const std::vector<int>& walls);

// True when two bodies anchored at `a` and `b` share a cell.
bool BodiesOverlap(int a, int b);

// Every anchor a body reaches from `from` by single steps over `free` anchors.
AnchorSet Reach(const AnchorSet& free, int from);
