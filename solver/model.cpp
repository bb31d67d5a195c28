// model.cpp: reading a level into the solver's model, and its one-step rule.
#include "solver/model.h"

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
  GroupSpots();
  MeasureDistances();
  return true;
}

void PushModel::GroupSpots() {
  std::vector<uint16_t> queue(MODEL_CELLS);
  heroReach.assign(MODEL_CELLS, 0);
  heroReach[hero] = 1;
  queue[0] = static_cast<uint16_t>(hero);
  for (int head = 0, tail = 1; head < tail; head++) {
    for (int dir = 0; dir < 4; dir++) {
      const int to = queue[head] + offset[dir];
      if (anchorFree[to] && !heroReach[to]) {
        heroReach[to] = 1;
        queue[tail++] = static_cast<uint16_t>(to);
      }
    }
  }
  spotGroup.assign(static_cast<size_t>(MODEL_CELLS) * SPOTS, SPOTS);
  std::vector<uint32_t> seen(MODEL_CELLS, 0);
  std::vector<int8_t> spotAt(MODEL_CELLS, -1);
  uint32_t stamp = 0;
  for (int box = 0; box < MODEL_CELLS; box++) {
    if (!anchorFree[box]) {
      continue;
    }
    uint8_t* group = &spotGroup[static_cast<size_t>(box) * SPOTS];
    int left = 0;  // free spots not yet grouped
    for (int spot = 0; spot < SPOTS; spot++) {
      if (heroReach[Spot(box, spot)]) {
        spotAt[Spot(box, spot)] = static_cast<int8_t>(spot);
        left++;
      }
    }
    // The walk from the lowest spot not yet grouped stops once every spot
    // has its group, as it mostly does a few steps round the box.
    for (int first = 0; first < SPOTS && left > 0; first++) {
      const int start = Spot(box, first);
      if (!heroReach[start] || group[first] != SPOTS) {
        continue;
      }
      stamp++;
      int tail = 0;
      queue[tail++] = static_cast<uint16_t>(start);
      seen[start] = stamp;
      for (int head = 0; head < tail && left > 0; head++) {
        const int at = queue[head];
        if (spotAt[at] >= 0 && group[spotAt[at]] == SPOTS) {
          group[spotAt[at]] = static_cast<uint8_t>(first);
          left--;
        }
        for (int dir = 0; dir < 4; dir++) {
          const int to = at + offset[dir];
          if (heroReach[to] && seen[to] != stamp && !Overlap(box, to)) {
            seen[to] = stamp;
            queue[tail++] = static_cast<uint16_t>(to);
          }
        }
      }
    }
    for (int spot = 0; spot < SPOTS; spot++) {
      spotAt[Spot(box, spot)] = -1;
    }
  }
}

void PushModel::MeasureDistances() {
  const size_t count = places.size();
  const int groups = SPOTS + 1;
  distance.assign(static_cast<size_t>(MODEL_CELLS) * groups * count, NO_DISTANCE);
  dead.assign(MODEL_CELLS, 1);
  // A box is pulled back from a place one push at a time: the push in the
  // direction of spot s from `from` leaves the hero on spot s of `to`, and
  // before it the hero may have walked to spot s from any spot of its group.
  std::vector<int> queue;  // entries anchor * groups + group, fewest pushes first
  for (size_t p = 0; p < count; p++) {
    queue.clear();
    dead[places[p]] = 0;  // even where the hero can never get behind a box on it
    for (int group = 0; group < groups; group++) {
      distance[(static_cast<size_t>(places[p]) * groups + group) * count + p] = 0;
      if (group < SPOTS && spotGroup[places[p] * SPOTS + group] == group) {
        queue.push_back(places[p] * groups + group);
      }
    }
    for (size_t head = 0; head < queue.size(); head++) {
      const int to = queue[head] / groups;
      const int group = queue[head] % groups;
      const uint16_t pushes = distance[static_cast<size_t>(queue[head]) * count + p];
      dead[to] = 0;
      for (int spot = 0; spot < SPOTS; spot++) {
        const int from = to - offset[spot / 3];
        if (spotGroup[to * SPOTS + spot] != group || !anchorFree[from] ||
            !heroReach[Spot(from, spot)]) {
          continue;
        }
        const int entry = from * groups + spotGroup[from * SPOTS + spot];
        uint16_t& known = distance[static_cast<size_t>(entry) * count + p];
        if (known == NO_DISTANCE) {
          known = static_cast<uint16_t>(pushes + 1);
          queue.push_back(entry);
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
