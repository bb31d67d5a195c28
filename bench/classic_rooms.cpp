// classic_rooms.cpp: small rooms of whole squares made by reverse play.
#include "bench/classic_rooms.h"

#include <algorithm>
#include <vector>

#include "board/grid.h"

namespace {

struct Room {
  int columns;
  int rows;
  std::string squares;  // '#' wall, ' ' floor, row by row
  std::vector<int> goals;
  std::vector<int> boxes;
  int hero;
};

// The floor squares the hero reaches from `from`, walking around boxes when
// `boxes` is given.
std::vector<char> Reach(const Room& room, int from, const std::vector<int>* boxes) {
  std::vector<char> seen(room.squares.size(), 0);
  std::vector<int> stack(1, from);
  seen[from] = 1;
  while (!stack.empty()) {
    const int at = stack.back();
    stack.pop_back();
    for (int step : {-room.columns, room.columns, -1, 1}) {
      const int to = at + step;
      bool boxed = false;
      for (int box : boxes ? *boxes : std::vector<int>()) {
        boxed = boxed || box == to;
      }
      if (!seen[to] && room.squares[to] != '#' && !boxed) {
        seen[to] = 1;
        stack.push_back(to);
      }
    }
  }
  return seen;
}

bool MakeRoom(std::mt19937* random, int columns, int rows, int boxCount, Room* room) {
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(*random);
  };
  room->columns = pick(6, columns);
  room->rows = pick(6, rows);
  const int cells = room->columns * room->rows;
  room->squares.assign(cells, ' ');
  for (int i = 0; i < cells; i++) {
    const int c = i % room->columns;
    const int r = i / room->columns;
    if (c == 0 || r == 0 || c == room->columns - 1 || r == room->rows - 1 || pick(0, 99) < 22) {
      room->squares[i] = '#';
    }
  }
  std::vector<int> floor;
  for (int i = 0; i < cells; i++) {
    if (room->squares[i] == ' ') {
      floor.push_back(i);
    }
  }
  if (static_cast<int>(floor.size()) < 3 * boxCount + 4) {
    return false;
  }
  const std::vector<char> reach = Reach(*room, floor[0], nullptr);
  for (int i : floor) {
    if (!reach[i]) {
      return false;  // one room, no pockets
    }
  }
  std::shuffle(floor.begin(), floor.end(), *random);
  room->goals.assign(floor.begin(), floor.begin() + boxCount);
  room->boxes = room->goals;
  room->hero = floor[boxCount];
  // Reverse play: the hero walks at random and now and then pulls the box
  // behind it, so every pull can be undone by a push.
  const int steps[4] = {-room->columns, room->columns, -1, 1};
  for (int turn = 0; turn < 1000; turn++) {
    const int step = steps[pick(0, 3)];
    const int to = room->hero + step;
    bool blocked = room->squares[to] == '#';
    for (int box : room->boxes) {
      blocked = blocked || box == to;
    }
    if (blocked) {
      continue;
    }
    const bool pull = pick(0, 1) == 0;
    for (int& box : room->boxes) {
      if (pull && box == room->hero - step) {
        box = room->hero;
        break;
      }
    }
    room->hero = to;
  }
  int off = 0;
  for (int box : room->boxes) {
    bool onGoal = false;
    for (int goal : room->goals) {
      onGoal = onGoal || goal == box;
    }
    off += !onGoal;
  }
  return off >= boxCount - 1;
}

}  // namespace

void ClassicRoom(std::mt19937* random, int columns, int rows, int boxCount, CLevel* level,
                 std::string* squares) {
  Room room;
  while (!MakeRoom(random, columns, rows, boxCount, &room)) {
  }
  *level = CLevel();
  const std::vector<char> reach = Reach(room, room.hero, nullptr);
  squares->clear();
  for (int i = 0; i < static_cast<int>(room.squares.size()); i++) {
    const int column = 2 * (i % room.columns);
    const int row = 2 * (i / room.columns);
    bool goal = false;
    bool box = false;
    for (int g : room.goals) {
      goal = goal || g == i;
    }
    for (int b : room.boxes) {
      box = box || b == i;
    }
    const bool hero = room.hero == i;
    const int object = room.squares[i] == '#' ? TILE_WALL
                       : box                  ? TILE_BOX
                       : hero                 ? TILE_HERO
                                              : TILE_NONE;
    const int ground = goal ? TILE_PLACE : reach[i] ? TILE_FLOOR : TILE_NONE;
    level->objectLayer[row][column].Init(ObjectFrameEdge(column), ObjectFrameEdge(row),
                                         OBJECT_FRAME, OBJECT_FRAME, object);
    level->groundLayer[row][column].Init(CELL_SIZE * column, CELL_SIZE * row, GROUND_FRAME,
                                         GROUND_FRAME, ground);
    *squares += object == TILE_WALL ? '#'
                : box && goal       ? '*'
                : box               ? '$'
                : hero && goal      ? '+'
                : hero              ? '@'
                : goal              ? '.'
                                    : ' ';
    if (i % room.columns == room.columns - 1) {
      *squares += '\n';
    }
  }
  level->heroX = static_cast<uint8_t>(2 * (room.hero % room.columns));
  level->heroY = static_cast<uint8_t>(2 * (room.hero / room.columns));
  level->boxCount = static_cast<uint8_t>(boxCount);
}
