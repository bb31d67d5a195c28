// model.h: the board as the solver sees it: fixed walls, and the hero and the
// boxes as anchors on a grid of cells.
//
// Every object covers 2 x 2 cells. For a level whose object layer holds only
// the hero, walls and boxes, none overlapping, the move rules come down to
// this: the hero steps one cell if its new body overlaps no object; if it
// overlaps exactly one box and nothing else, that box moves one cell the same
// way, provided its new body overlaps nothing and its anchor stays on the
// board; otherwise nothing happens. The differential test holds this against
// CLevel::Move.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "board/level.h"

// Cells live on a grid padded by four cells on every side, so the rules can
// look four cells past an anchor without a bound check. No anchor in the
// padding is free, and the padding holds no wall.
const int MODEL_PAD = 4;
const int MODEL_WIDTH = BOARD_COLUMNS + 2 * MODEL_PAD;
const int MODEL_CELLS = MODEL_WIDTH * (BOARD_ROWS + 2 * MODEL_PAD);
// A distance for an anchor from which a place cannot be reached.
const uint16_t NO_DISTANCE = 0xffff;
// Direction indices 0 to 3 stand for these codes.
const int DIRECTION_CODES[4] = {DIR_UP, DIR_DOWN, DIR_LEFT, DIR_RIGHT};
// The spots from which the hero pushes a box: three across behind each of
// its four sides, spot / 3 the direction of the push.
const int SPOTS = 12;

// Which box covers each cell: 0 for none, box index + 1 for a box.
struct Cover {
  uint8_t box[MODEL_CELLS] = {};
};

class PushModel {
 public:
  // Reads walls, boxes, places and the hero. False with `error` for a level
  // the model cannot stand for: other kinds in the object layer, no hero tile
  // at the hero's anchor or more than one, overlapping objects, a box anchored
  // where its body leaves the grid, or more than 250 boxes.
  bool Init(const CLevel& level, std::string* error);

  static int Cell(int column, int row) {
    return (row + MODEL_PAD) * MODEL_WIDTH + column + MODEL_PAD;
  }
  static int Column(int cell) { return cell % MODEL_WIDTH - MODEL_PAD; }
  static int Row(int cell) { return cell / MODEL_WIDTH - MODEL_PAD; }

  // Marks the body of the box anchored at `anchor` with `mark` (0 clears it).
  static void CoverBody(Cover* cover, int anchor, uint8_t mark) {
    cover->box[anchor] = mark;
    cover->box[anchor + 1] = mark;
    cover->box[anchor + MODEL_WIDTH] = mark;
    cover->box[anchor + MODEL_WIDTH + 1] = mark;
  }
  // The boxes whose bodies overlap the body anchored at `anchor`, or'ed
  // together; 0 when none does.
  static int BodyBoxes(const Cover& cover, int anchor) {
    return cover.box[anchor] | cover.box[anchor + 1] | cover.box[anchor + MODEL_WIDTH] |
           cover.box[anchor + MODEL_WIDTH + 1];
  }
  // True when the bodies anchored at `a` and `b` share a cell.
  static bool Overlap(int a, int b) {
    const int rows = a / MODEL_WIDTH - b / MODEL_WIDTH;
    const int columns = a % MODEL_WIDTH - b % MODEL_WIDTH;
    return rows >= -1 && rows <= 1 && columns >= -1 && columns <= 1;
  }
  // True when the body anchored at `anchor` overlaps no box but `mark`.
  static bool BodyClearBut(const Cover& cover, int anchor, uint8_t mark) {
    const uint8_t* cells = &cover.box[anchor];
    return (cells[0] == 0 || cells[0] == mark) && (cells[1] == 0 || cells[1] == mark) &&
           (cells[MODEL_WIDTH] == 0 || cells[MODEL_WIDTH] == mark) &&
           (cells[MODEL_WIDTH + 1] == 0 || cells[MODEL_WIDTH + 1] == mark);
  }

  // What one step of the hero anchored at `hero` in direction index `dir`
  // does among the boxes at `boxes` (marked in `cover`): -1 refused, 0 a free
  // step, i + 1 a step that pushes box i.
  int StepOutcome(const Cover& cover, const uint16_t* boxes, int hero, int dir) const;
  // True when box i anchored at `anchor` may move in direction `dir` by
  // walls and the other boxes in `cover`: its new anchor is free and its new
  // body overlaps no other box. Says nothing of the hero.
  bool BoxMayMove(const Cover& cover, int anchor, uint8_t mark, int dir) const {
    const int to = anchor + offset[dir];
    return anchorFree[to] && BodyClearBut(cover, to, mark);
  }

  // The anchor of spot `spot` behind the box anchored at `box`.
  int Spot(int box, int spot) const {
    const int dir = spot / 3;
    return box - 2 * offset[dir] + (spot % 3 - 1) * side[dir];
  }
  // The place distances of a box at `anchor` whose hero walks among the
  // spots of group `group` (see spotGroup; SPOTS for a hero that reaches
  // none): the fewest pushes to each place with walls alone in the way.
  const uint16_t* DistancesFrom(int anchor, int group) const {
    return &distance[(static_cast<size_t>(anchor) * (SPOTS + 1) + group) * places.size()];
  }

  // Cell offsets of a step in each direction and of the perpendicular side.
  int offset[4] = {-MODEL_WIDTH, MODEL_WIDTH, -1, 1};
  int side[4] = {1, 1, MODEL_WIDTH, MODEL_WIDTH};

  std::vector<uint8_t> anchorFree;  // on the board with a body clear of walls
  std::vector<uint8_t> isPlace;     // the anchor of a place
  std::vector<uint16_t> places;     // place anchors where a box can stand
  std::vector<uint16_t> boxes;      // box anchors at the start
  int hero = 0;                     // hero anchor at the start
  int goalCount = 0;                // boxes that must rest on places (boxCount)
  std::vector<uint8_t> dead;        // no push sequence takes a box from here to a place
  // The anchors the hero can reach from its start on walls alone: the only
  // ones it can ever stand at.
  std::vector<uint8_t> heroReach;
  // Per free anchor and spot behind a box there, the spots the hero can walk
  // among from it with walls and that box alone in the way, named by the
  // lowest of them; SPOTS where the hero can never stand at the spot.
  std::vector<uint8_t> spotGroup;  // anchor * SPOTS + spot

 private:
  void GroupSpots();
  // Fills `distance` and `dead` by pulling boxes back from every place.
  void MeasureDistances();
  // (anchor * (SPOTS + 1) + group) * places.size() + place index
  std::vector<uint16_t> distance;
};
