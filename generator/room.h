// room.h: random rooms closed by walls, with floors and places, for reverse play
// to fill with boxes.
//
// A room is a union of rectangles of cells, so its sides may stand half a
// block out of line with each other; walls cover every cell around it, and a
// few walls inside, some half a block apart, give the boxes something to get
// stuck on.
#pragma once

#include <random>

#include "generator/design.h"

struct RoomShape {
  // Inner size of the first rectangle, in cells; the others are smaller.
  int width = 12;
  int height = 10;
  // How many rectangles make up the room, and how many walls stand inside.
  int rectangles = 2;
  int innerWalls = 3;
  int places = 2;
};

// A room of that shape at a random place on the board, with walls, floors and
// places but neither boxes nor hero. False when the draw gives no closed room
// with room for the places; try another draw.
bool MakeRoom(const RoomShape& shape, std::mt19937* random, Design* room);

// The cells that bodies anchored at any of `anchors` cover.
std::bitset<ANCHORS> CoveredCells(const AnchorSet& anchors);
