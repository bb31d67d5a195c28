// design.cpp: levels as anchor lists, and their text levels.
#include "generator/design.h"

#include <cstdlib>

Design DesignOf(const CLevel& level) {
  Design design;
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const int anchor = AnchorAt(column, row);
      switch (level.objectLayer[row][column].kind) {
        case TILE_WALL:
          design.walls.push_back(anchor);
          break;
        case TILE_BOX:
          design.boxes.push_back(anchor);
          break;
        case TILE_HERO:
          design.hero = anchor;
          break;
        default:
          break;
      }
      switch (level.groundLayer[row][column].kind) {
        case TILE_FLOOR:
          design.floors.push_back(anchor);
          break;
        case TILE_PLACE:
          design.places.push_back(anchor);
          break;
        default:
          break;
      }
    }
  }
  return design;
}

std::string TextOf(const Design& design, const std::string& title, const std::string& author) {
  std::string objects(ANCHORS, '.');
  std::string ground(ANCHORS, '.');
  for (int anchor : design.walls) {
    objects[anchor] = '#';
  }
  for (int anchor : design.boxes) {
    objects[anchor] = '$';
  }
  if (design.hero >= 0) {
    objects[design.hero] = '@';
  }
  for (int anchor : design.floors) {
    ground[anchor] = '_';
  }
  for (int anchor : design.places) {
    ground[anchor] = 'o';
  }
  std::string text = "info1 " + title + "\ninfo2 " + author + "\nobjects\n";
  for (int row = 0; row < BOARD_ROWS; row++) {
    text += objects.substr(row * BOARD_COLUMNS, BOARD_COLUMNS) + "\n";
  }
  text += "ground\n";
  for (int row = 0; row < BOARD_ROWS; row++) {
    text += ground.substr(row * BOARD_COLUMNS, BOARD_COLUMNS) + "\n";
  }
  return text;
}

bool BodiesOverlap(int a, int b) {
  return std::abs(ColumnOf(a) - ColumnOf(b)) <= 1 && std::abs(RowOf(a) - RowOf(b)) <= 1;
}

AnchorSet OpenAnchors(const std::vector<int>& walls) {
  AnchorSet open;
  for (int row = 0; row + 1 < BOARD_ROWS; row++) {
    for (int column = 0; column + 1 < BOARD_COLUMNS; column++) {
      open.set(AnchorAt(column, row));
    }
  }
  // A wall's body meets every body anchored within one cell of its anchor.
  for (int wall : walls) {
    for (int dy = -1; dy <= 1; dy++) {
      for (int dx = -1; dx <= 1; dx++) {
        const int column = ColumnOf(wall) + dx;
        const int row = RowOf(wall) + dy;
        if (column >= 0 && column < BOARD_COLUMNS && row >= 0 && row < BOARD_ROWS) {
          open.reset(AnchorAt(column, row));
        }
      }
    }
  }
  return open;
}

AnchorSet Reach(const AnchorSet& free, int from) {
  AnchorSet reach;
  reach.set(from);
  for (;;) {
    // Column 24 is never free, so shifting across a row's end finds nothing.
    const AnchorSet grown =
        reach |
        ((reach << 1 | reach >> 1 | reach << BOARD_COLUMNS | reach >> BOARD_COLUMNS) & free);
    if (grown == reach) {
      return reach;
    }
    reach = grown;
  }
}
