// move.cpp: the move and push rules: one request, one hero step, at most one box.
//
// Every object covers 2 x 2 cells and may stand at any cell, so what meets the
// hero's leading edge is found by looking at anchors two cells ahead: the
// straight-ahead one and the two half an object to either side. The tables
// below say, per direction, which cells are looked at and in which order.
#include "board/grid.h"
#include "board/level.h"

namespace {

// A cell relative to the hero's anchor before the step.
struct Offset {
  int dx;
  int dy;
};

// One way a box can be met and pushed. The side cell is the front cell on the
// far side from the box, where an object would meet the hero's new body; the
// cells beyond are the anchors of the objects the box's body would meet.
struct PushCase {
  Offset box;
  bool hasSide;
  Offset side;
  Offset beyond[3];
};

struct DirectionRules {
  int direction;
  int facingRow;     // hero picture sheet row after the step
  Offset front[3];   // straight ahead first
  PushCase push[3];  // cases A, B, C, tried in this order
  // To the right only an empty cell lets a box through; the other directions
  // let anything but a wall or a box through.
  bool onlyEmptyClears;
};

// clang-format off
const DirectionRules RULES[] = {
    {DIR_UP, 0, {{0, -2}, {-1, -2}, {1, -2}},
     {{{0, -2},  false, {},        {{0, -4}, {-1, -4}, {1, -4}}},
      {{-1, -2}, true,  {1, -2},   {{0, -4}, {-1, -4}, {-2, -4}}},
      {{1, -2},  true,  {-1, -2},  {{0, -4}, {1, -4},  {2, -4}}}},
     false},
    {DIR_DOWN, 1, {{0, 2}, {-1, 2}, {1, 2}},
     {{{0, 2},   false, {},        {{0, 4},  {-1, 4},  {1, 4}}},
      {{-1, 2},  true,  {1, 2},    {{0, 4},  {-1, 4},  {-2, 4}}},
      {{1, 2},   true,  {-1, 2},   {{0, 4},  {1, 4},   {2, 4}}}},
     false},
    {DIR_LEFT, 2, {{-2, 0}, {-2, -1}, {-2, 1}},
     {{{-2, 0},  false, {},        {{-4, 0}, {-4, -1}, {-4, 1}}},
      {{-2, -1}, true,  {-2, 1},   {{-4, 0}, {-4, -1}, {-4, -2}}},
      {{-2, 1},  true,  {-2, -1},  {{-4, 0}, {-4, 1},  {-4, 2}}}},
     false},
    {DIR_RIGHT, 3, {{2, 0}, {2, -1}, {2, 1}},
     {{{2, 0},   false, {},        {{4, 0},  {4, -1},  {4, 1}}},
      {{2, -1},  true,  {2, 1},    {{4, 0},  {4, -1},  {4, -2}}},
      {{2, 1},   true,  {2, -1},   {{4, 0},  {4, 1},   {4, 2}}}},
     true},
};
// clang-format on

const DirectionRules* RulesFor(int direction) {
  for (const DirectionRules& rules : RULES) {
    if (rules.direction == direction) {
      return &rules;
    }
  }
  return nullptr;
}

bool Clears(const DirectionRules& rules, int kind) {
  if (rules.onlyEmptyClears) {
    return kind == TILE_NONE;
  }
  return kind != TILE_WALL && kind != TILE_BOX;
}

// Moves an object's tile from one anchor to the next. The logical board
// changes at once; the picture starts where it was and glides to the new cell.
Tile& GlideObject(Tile (&layer)[BOARD_ROWS][BOARD_COLUMNS], int fromX, int fromY, int toX, int toY,
                  int kind, int direction) {
  layer[fromY][fromX].Init(0, 0, OBJECT_FRAME, OBJECT_FRAME, TILE_NONE);
  Tile& tile = layer[toY][toX];
  tile.Init(ObjectFrameEdge(fromX), ObjectFrameEdge(fromY), OBJECT_FRAME, OBJECT_FRAME, kind);
  tile.destX = static_cast<float>(ObjectFrameEdge(toX));
  tile.destY = static_cast<float>(ObjectFrameEdge(toY));
  tile.moving = 1;
  tile.direction = direction;
  return tile;
}

}  // namespace

bool CLevel::Move(int direction) {
  const int x = heroX;
  const int y = heroY;
  // A header that puts the hero off the board, or where no hero tile stands,
  // leaves nobody to move.
  if (!IsAnchorOnBoard(x, y) || objectLayer[y][x].kind != TILE_HERO) {
    return false;
  }
  if (objectLayer[y][x].moving != 0) {
    return false;
  }
  const DirectionRules* rules = RulesFor(direction);
  if (!rules) {
    return false;
  }

  auto kindAt = [&](Offset cell) { return ObjectKindAt(*this, x + cell.dx, y + cell.dy); };
  const CellStep step = StepOf(direction);

  // At the edge there is no free step, and no box lies ahead to push.
  bool frontFree = IsAnchorOnBoard(x + step.dx, y + step.dy);
  for (const Offset& cell : rules->front) {
    frontFree = frontFree && kindAt(cell) == TILE_NONE;
  }
  if (frontFree) {
    RecordStep(0, 0, direction);
    StepHero(direction);
    return true;
  }

  auto caseHolds = [&](const PushCase& push) {
    if (kindAt(push.box) != TILE_BOX) {
      return false;
    }
    if (push.hasSide && !Clears(*rules, kindAt(push.side))) {
      return false;
    }
    for (const Offset& cell : push.beyond) {
      if (!Clears(*rules, kindAt(cell))) {
        return false;
      }
    }
    // Without border walls nothing else would keep the box on the board.
    return IsAnchorOnBoard(x + push.box.dx + step.dx, y + push.box.dy + step.dy);
  };
  for (const PushCase& push : rules->push) {
    if (caseHolds(push)) {
      const int boxX = x + push.box.dx;
      const int boxY = y + push.box.dy;
      RecordStep(boxX, boxY, direction);
      PushBox(boxX, boxY, direction);
      StepHero(direction);
      return true;
    }
  }
  return false;
}

void CLevel::StepHero(int direction) {
  // Move calls this with one of the four direction codes only.
  const DirectionRules* rules = RulesFor(direction);
  if (!rules) {
    return;
  }
  const CellStep step = StepOf(direction);
  const int oldX = heroX;
  const int oldY = heroY;
  heroX = static_cast<uint8_t>(oldX + step.dx);
  heroY = static_cast<uint8_t>(oldY + step.dy);
  Tile& hero = GlideObject(objectLayer, oldX, oldY, heroX, heroY, TILE_HERO, direction);
  hero.row = rules->facingRow;
  moveCount++;
}

void CLevel::PushBox(int boxX, int boxY, int direction) {
  const CellStep step = StepOf(direction);
  GlideObject(objectLayer, boxX, boxY, boxX + step.dx, boxY + step.dy, TILE_BOX, direction);
  pushCount++;
}
