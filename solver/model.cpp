// model.cpp: reading a level into the solver's model, and its one-step rule.
#include "solver/model.h"

#include <deque>

#include "board/grid.h"

bool PushModel::Init(const CLevel& level, std::string* error) {
  anchorFree.assign(MODEL_CELLS, 0);
  isPlace.assign(MODEL_CELLS, 0);
  places.clear();
  boxes.clear();
  goalCount = level.boxCount;
  std::vector<uint8_t> objects(MODEL_CELLS, 0);  // objects covering each cell
  std::vector<uint8_t> wall(MODEL_CELLS, 0);
  int heroes = 0;
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const int kind = level.objectLayer[row][column].kind;
      const std::string where =
          " at column " + std::to_string(column) + ", row " + std::to_string(row);
      if (kind == TILE_NONE) {
        continue;
      }
      if (kind != TILE_HERO && kind != TILE_WALL && kind != TILE_BOX) {
        *error = "object layer holds kind " + std::to_string(kind) + where;
        return false;
      }
      const int cell = Cell(column, row);
      for (int body : {cell, cell + 1, cell + MODEL_WIDTH, cell + MODEL_WIDTH + 1}) {
        if (++objects[body] > 1) {
          *error = "objects overlap" + where;
          return false;
        }
        wall[body] = kind == TILE_WALL;
      }
      if (kind == TILE_HERO) {
        heroes++;
      } else if (kind == TILE_BOX) {
        if (!IsAnchorOnBoard(column, row)) {
          *error = "box leaves the grid" + where;
          return false;
        }
        boxes.push_back(static_cast<uint16_t>(cell));
      }
    }
  }
  if (!IsAnchorOnBoard(level.heroX, level.heroY) ||
      level.objectLayer[level.heroY][level.heroX].kind != TILE_HERO) {
    *error = "no hero tile at the hero's anchor (column " + std::to_string(level.heroX) + ", row " +
             std::to_string(level.heroY) + ")";
    return false;
  }
  if (heroes != 1) {
    *error = std::to_string(heroes) + " hero tiles";
    return false;
  }
  if (boxes.size() > 250) {
    *error = std::to_string(boxes.size()) + " boxes, more than 250";
    return false;
  }
  hero = Cell(level.heroX, level.heroY);
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const int cell = Cell(column, row);
      anchorFree[cell] = IsAnchorOnBoard(column, row) && !wall[cell] && !wall[cell + 1] &&
                         !wall[cell + MODEL_WIDTH] && !wall[cell + MODEL_WIDTH + 1];
      if (level.groundLayer[row][column].kind == TILE_PLACE) {
        isPlace[cell] = 1;
        if (anchorFree[cell]) {
          places.push_back(static_cast<uint16_t>(cell));
        }
      }
    }
  }
  MeasureDistances();
  return true;
}

void PushModel::MeasureDistances() {
  const size_t count = places.size();
  distance.assign(MODEL_CELLS * count, NO_DISTANCE);
  dead.assign(MODEL_CELLS, 1);
  // A push of a box anchored at `from` is possible on walls alone when its new
  // anchor is free and the hero fits behind it at one of the three anchors
  // from which its new body meets the box.
  auto pushable = [&](int from, int dir) {
    if (!anchorFree[from + offset[dir]]) {
      return false;
    }
    for (int k = -1; k <= 1; k++) {
      const int pusher = from - 2 * offset[dir] + k * side[dir];
      if (anchorFree[pusher] && anchorFree[pusher + offset[dir]]) {
        return true;
      }
    }
    return false;
  };
  std::deque<int> queue;
  for (size_t p = 0; p < count; p++) {
    distance[places[p] * count + p] = 0;
    queue.push_back(places[p]);
    while (!queue.empty()) {
      const int to = queue.front();
      queue.pop_front();
      dead[to] = 0;
      for (int dir = 0; dir < 4; dir++) {
        const int from = to - offset[dir];
        uint16_t& d = distance[from * count + p];
        if (anchorFree[from] && d == NO_DISTANCE && pushable(from, dir)) {
          d = static_cast<uint16_t>(distance[to * count + p] + 1);
          queue.push_back(from);
        }
      }
    }
  }
}

int PushModel::StepOutcome(const Cover& cover, const uint16_t* boxes, int hero, int dir) const {
  const int to = hero + offset[dir];
  if (!anchorFree[to]) {
    return -1;
  }
  // The hero's present body holds no box, so a box in its new body is one it
  // meets with its leading edge.
  int met = 0;
  for (int cell : {to, to + 1, to + MODEL_WIDTH, to + MODEL_WIDTH + 1}) {
    const int mark = cover.box[cell];
    if (mark != 0) {
      if (met != 0 && mark != met) {
        return -1;
      }
      met = mark;
    }
  }
  if (met == 0) {
    return 0;
  }
  return BoxMayMove(cover, boxes[met - 1], static_cast<uint8_t>(met), dir) ? met : -1;
}
