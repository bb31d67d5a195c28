// room.cpp: rooms as unions of rectangles, closed by walls.
#include "generator/room.h"

#include <algorithm>

namespace {

using CellSet = std::bitset<ANCHORS>;

int Draw(std::mt19937* random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(*random);
}

bool InBoard(int column, int row) {
  return column >= 0 && column < BOARD_COLUMNS && row >= 0 && row < BOARD_ROWS;
}

// The cells inside: rectangles within columns 2 to 22 and rows 2 to 17, so the
// walls around them still lie on the board.
CellSet Inside(const RoomShape& shape, std::mt19937* random) {
  CellSet inside;
  int width = std::min(shape.width, 21);
  int height = std::min(shape.height, 16);
  int left = Draw(random, 2, 23 - width);
  int top = Draw(random, 2, 18 - height);
  for (int index = 0; index < shape.rectangles; index++) {
    for (int row = top; row < top + height; row++) {
      for (int column = left; column < left + width; column++) {
        inside.set(AnchorAt(column, row));
      }
    }
    // The next one overlaps this one by at least a block.
    const int nextWidth = Draw(random, 4, std::max(4, width - 2));
    const int nextHeight = Draw(random, 4, std::max(4, height - 2));
    left = std::clamp(Draw(random, left - nextWidth + 2, left + width - 2), 2, 23 - nextWidth);
    top = std::clamp(Draw(random, top - nextHeight + 2, top + height - 2), 2, 18 - nextHeight);
    width = nextWidth;
    height = nextHeight;
  }
  return inside;
}

bool NextToInside(const CellSet& inside, int column, int row) {
  for (int dy = -1; dy <= 1; dy++) {
    for (int dx = -1; dx <= 1; dx++) {
      if (InBoard(column + dx, row + dy) && inside[AnchorAt(column + dx, row + dy)]) {
        return true;
      }
    }
  }
  return false;
}

// Whether a body anchored there lies on the board and on none of `taken`.
bool BodyFits(const CellSet& taken, int column, int row) {
  if (column < 0 || row < 0 || column + 1 >= BOARD_COLUMNS || row + 1 >= BOARD_ROWS) {
    return false;
  }
  for (int dy = 0; dy <= 1; dy++) {
    for (int dx = 0; dx <= 1; dx++) {
      if (taken[AnchorAt(column + dx, row + dy)]) {
        return false;
      }
    }
  }
  return true;
}

void Take(CellSet* taken, int column, int row) {
  for (int dy = 0; dy <= 1; dy++) {
    for (int dx = 0; dx <= 1; dx++) {
      taken->set(AnchorAt(column + dx, row + dy));
    }
  }
}

// Walls over every cell that touches the inside, each placed where it covers
// the most such cells still open.
void WallAround(const CellSet& inside, Design* room, CellSet* taken) {
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const int cell = AnchorAt(column, row);
      if (inside[cell] || (*taken)[cell] || !NextToInside(inside, column, row)) {
        continue;
      }
      int best = -1;
      int bestCovered = 0;
      for (int dy = -1; dy <= 0; dy++) {
        for (int dx = -1; dx <= 0; dx++) {
          if (!BodyFits(*taken | inside, column + dx, row + dy)) {
            continue;
          }
          int covered = 0;
          for (int cy = 0; cy <= 1; cy++) {
            for (int cx = 0; cx <= 1; cx++) {
              covered += NextToInside(inside, column + dx + cx, row + dy + cy);
            }
          }
          if (covered > bestCovered) {
            best = AnchorAt(column + dx, row + dy);
            bestCovered = covered;
          }
        }
      }
      if (best >= 0) {
        room->walls.push_back(best);
        Take(taken, ColumnOf(best), RowOf(best));
      }
    }
  }
}

// Up to `shape.innerWalls` walls on inside cells that nothing has taken yet.
void AddInnerWalls(const RoomShape& shape, const CellSet& inside, std::mt19937* random,
                   Design* room, CellSet* taken) {
  for (int tries = 0, placed = 0; placed < shape.innerWalls && tries < 200; tries++) {
    int column = Draw(random, 2, 22);
    int row = Draw(random, 2, 17);
    // Half the inner walls join one already there, often half a block out of
    // line with it.
    if (tries % 2 == 1 && !room->walls.empty()) {
      const int next = room->walls[Draw(random, 0, room->walls.size() - 1)];
      column = ColumnOf(next) + Draw(random, -2, 2);
      row = RowOf(next) + Draw(random, -2, 2);
    }
    if (BodyFits(*taken | ~inside, column, row)) {
      room->walls.push_back(AnchorAt(column, row));
      Take(taken, column, row);
      placed++;
    }
  }
}

// Places on anchors the hero reaches, none overlapping another, and none
// with a wall against its right or lower side: a wall's picture reaches
// over the cells above and left of it and would hide part of the place.
void AddPlaces(const RoomShape& shape, const AnchorSet& reach, std::mt19937* random, Design* room) {
  AnchorSet walls;
  for (int wall : room->walls) {
    walls.set(wall);
  }
  const CellSet wallCells = CoveredCells(walls);
  std::vector<int> spots;
  for (int anchor = 0; anchor < ANCHORS; anchor++) {
    const int column = ColumnOf(anchor);
    const int row = RowOf(anchor);
    bool hidden = false;
    for (int along = 0; along <= 1; along++) {
      hidden = hidden ||
               (InBoard(column + 2, row + along) && wallCells[AnchorAt(column + 2, row + along)]) ||
               (InBoard(column + along, row + 2) && wallCells[AnchorAt(column + along, row + 2)]);
    }
    if (reach[anchor] && !hidden) {
      spots.push_back(anchor);
    }
  }
  std::shuffle(spots.begin(), spots.end(), *random);
  for (int spot : spots) {
    if (static_cast<int>(room->places.size()) == shape.places) {
      break;
    }
    bool clear = true;
    for (int place : room->places) {
      clear = clear && !BodiesOverlap(place, spot);
    }
    if (clear) {
      room->places.push_back(spot);
    }
  }
}

}  // namespace

CellSet CoveredCells(const AnchorSet& anchors) {
  CellSet cells;
  for (int anchor = 0; anchor < ANCHORS; anchor++) {
    if (anchors[anchor]) {
      Take(&cells, ColumnOf(anchor), RowOf(anchor));
    }
  }
  return cells;
}

bool MakeRoom(const RoomShape& shape, std::mt19937* random, Design* room) {
  *room = Design();
  const CellSet inside = Inside(shape, random);
  CellSet taken;
  WallAround(inside, room, &taken);
  AddInnerWalls(shape, inside, random, room, &taken);

  // The hero must stay inside: every body it can reach lies on inside cells.
  const AnchorSet open = OpenAnchors(room->walls);
  int first = -1;
  for (int anchor = 0; anchor < ANCHORS && first < 0; anchor++) {
    if (open[anchor] && inside[anchor]) {
      first = anchor;
    }
  }
  if (first < 0) {
    return false;
  }
  const AnchorSet reach = Reach(open, first);
  const CellSet walkable = CoveredCells(reach);
  if ((walkable & ~inside).any() || static_cast<int>(reach.count()) < 12 * shape.places) {
    return false;
  }

  // Floor under every cell the hero can cover, each tile wholly on such cells
  // (one always is: the cell lies in a body the hero reaches), so no floor
  // shows past the corner of a wall.
  CellSet floored;
  for (int cell = 0; cell < ANCHORS; cell++) {
    if (!walkable[cell] || floored[cell]) {
      continue;
    }
    for (int anchor : {cell, cell - 1, cell - BOARD_COLUMNS, cell - BOARD_COLUMNS - 1}) {
      if (anchor >= 0 && reach[anchor]) {
        room->floors.push_back(anchor);
        Take(&floored, ColumnOf(anchor), RowOf(anchor));
        break;
      }
    }
  }

  AddPlaces(shape, reach, random, room);
  return static_cast<int>(room->places.size()) == shape.places;
}
