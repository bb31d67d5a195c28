// deadlock.cpp: lower bound and deadlock tests of the push search.
#include <algorithm>
#include <cstring>

#include "solver/search.h"

namespace {

const int FAR = 1 << 20;  // a matching cost that stands for "cannot be placed"

// Marks with 1 in `reach` the anchors the hero can walk to from `hero` with
// walls and the boxes in `cover` in its way. Stops at the first anchor marked
// 2 before, and then returns true.
bool Reach(const PushModel& model, const Cover& cover, int hero, uint8_t* reach) {
  uint16_t queue[MODEL_CELLS];
  int tail = 0;
  queue[tail++] = static_cast<uint16_t>(hero);
  for (int head = 0; head < tail; head++) {
    const int at = queue[head];
    if (reach[at] == 2) {
      return true;
    }
    reach[at] = 1;
    for (int dir = 0; dir < 4; dir++) {
      const int to = at + model.offset[dir];
      if (reach[to] != 1 && model.anchorFree[to] && PushModel::BodyBoxes(cover, to) == 0) {
        if (reach[to] == 2) {
          return true;
        }
        reach[to] = 1;
        queue[tail++] = static_cast<uint16_t>(to);
      }
    }
  }
  return false;
}

// True when the box `mark` anchored at `anchor` could be pushed some way if
// only walls and the boxes in `cover` stood in the way, by a hero walking
// among them from where it stands now (`reach`): its new body is clear and
// the hero stands behind it, before and after the step. When every box must
// end on a place (`allPlaced`), a push onto a dead anchor is no way out: a box
// there never reaches a place, so no solution makes that push.
template <typename Reachable>
bool MayEverMove(const PushModel& model, const Cover& cover, Reachable reach, int anchor,
                 uint8_t mark, bool allPlaced) {
  for (int dir = 0; dir < 4; dir++) {
    if (!model.BoxMayMove(cover, anchor, mark, dir) ||
        (allPlaced && model.dead[anchor + model.offset[dir]])) {
      continue;
    }
    for (int k = -1; k <= 1; k++) {
      const int pusher = anchor - 2 * model.offset[dir] + k * model.side[dir];
      const int stepped = pusher + model.offset[dir];
      if (model.anchorFree[stepped] && PushModel::BodyClearBut(cover, stepped, mark) &&
          reach(pusher)) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

LowerBound::LowerBound(const PushModel& model) : model(model) {
  rows = static_cast<int>(model.boxes.size());
  // A goal beyond the boxes or the places has no solution, which the search
  // tells before it asks for a bound; the table must still have a size.
  columns = std::max(rows, static_cast<int>(model.places.size()) + rows - model.goalCount);
  cost.assign((rows + 1) * (columns + 1), 0);
  u.assign(rows + 1, 0);
  v.assign(columns + 1, 0);
  match.assign(columns + 1, 0);
  way.assign(columns + 1, 0);
  minv.assign(columns + 1, 0);
  used.assign(columns + 1, 0);
}

int LowerBound::Group(int box, int hero) {
  if (anchorIndex.empty()) {
    anchorIndex.assign(MODEL_CELLS, 0);
  }
  if (anchorIndex[box] == 0) {
    heroGroups.emplace_back(MODEL_CELLS, static_cast<uint8_t>(SPOTS));
    anchorIndex[box] = static_cast<int>(heroGroups.size());
    std::vector<uint8_t>& row = heroGroups.back();
    uint16_t queue[MODEL_CELLS];
    for (int spot = 0; spot < SPOTS; spot++) {
      const int start = model.Spot(box, spot);
      if (model.spotGroup[box * SPOTS + spot] != spot || row[start] != SPOTS) {
        continue;
      }
      int tail = 0;
      queue[tail++] = static_cast<uint16_t>(start);
      row[start] = static_cast<uint8_t>(spot);
      for (int head = 0; head < tail; head++) {
        for (int dir = 0; dir < 4; dir++) {
          const int to = queue[head] + model.offset[dir];
          if (model.heroReach[to] && row[to] == SPOTS && !PushModel::Overlap(box, to)) {
            row[to] = static_cast<uint8_t>(spot);
            queue[tail++] = static_cast<uint16_t>(to);
          }
        }
      }
    }
  }
  return heroGroups[anchorIndex[box] - 1][hero];
}

int LowerBound::Pushes(const uint16_t* boxes, const uint8_t* groups) {
  const int placeCount = static_cast<int>(model.places.size());
  for (int i = 1; i <= rows; i++) {
    const uint16_t* distances = model.DistancesFrom(boxes[i - 1], groups[i - 1]);
    int* row = &cost[i * (columns + 1)];
    for (int j = 1; j <= placeCount; j++) {
      row[j] = distances[j - 1] == NO_DISTANCE ? FAR : distances[j - 1];
    }
    // The columns past the places let boxes beyond the goal count stay put.
  }
  // Hungarian method on rows <= columns, potentials u and v.
  std::fill(u.begin(), u.end(), 0);
  std::fill(v.begin(), v.end(), 0);
  std::fill(match.begin(), match.end(), 0);
  for (int i = 1; i <= rows; i++) {
    match[0] = i;
    int j0 = 0;
    std::fill(minv.begin(), minv.end(), 4 * FAR);
    std::fill(used.begin(), used.end(), 0);
    do {
      used[j0] = 1;
      const int i0 = match[j0];
      int delta = 4 * FAR;
      int j1 = 0;
      const int* row = &cost[i0 * (columns + 1)];
      for (int j = 1; j <= columns; j++) {
        if (!used[j]) {
          const int current = row[j] - u[i0] - v[j];
          if (current < minv[j]) {
            minv[j] = current;
            way[j] = j0;
          }
          if (minv[j] < delta) {
            delta = minv[j];
            j1 = j;
          }
        }
      }
      for (int j = 0; j <= columns; j++) {
        if (used[j]) {
          u[match[j]] += delta;
          v[j] -= delta;
        } else {
          minv[j] -= delta;
        }
      }
      j0 = j1;
    } while (match[j0] != 0);
    do {
      const int j1 = way[j0];
      match[j0] = match[j1];
      j0 = j1;
    } while (j0 != 0);
  }
  const int total = -v[0];
  return total >= FAR ? NO_DISTANCE : total;
}

bool Deadlocked(const PushModel& model, const Cover& cover, const uint16_t* boxes, int count,
                int moved, int hero) {
  const int spare = count - model.goalCount;  // boxes that may stay off places
  Cover group = cover;
  uint8_t reach[MODEL_CELLS];
  std::memset(reach, 0, sizeof(reach));
  const auto reachable = [&](int pusher) {
    return hero >= 0 ? reach[pusher] == 1
                     : model.anchorFree[pusher] && PushModel::BodyBoxes(group, pusher) == 0;
  };
  bool measured = hero < 0;  // `reach` holds the hero's present area
  if (spare == 0 && moved >= 0) {
    if (model.dead[boxes[moved]]) {
      return true;
    }
    // A box just pushed that can be pushed on is not frozen, and the boxes
    // frozen without it were frozen before the push, all on places. The
    // hero walks only until it finds a spot to push it from, most often
    // right where it stands.
    const uint8_t mark = static_cast<uint8_t>(moved + 1);
    if (hero < 0) {
      if (MayEverMove(model, cover, reachable, boxes[moved], mark, true)) {
        return false;
      }
    } else {
      const auto wanted = [&reach](int pusher) {
        reach[pusher] = 2;
        return false;
      };
      MayEverMove(model, cover, wanted, boxes[moved], mark, true);
      if (Reach(model, cover, hero, reach)) {
        return false;
      }
      measured = true;
    }
  }
  // The largest frozen group: start from every box and drop, until a round
  // drops none, each box that could move with only the rest in its way. The
  // boxes of a frozen group stay put until one of them moves, so the hero
  // can only walk where they and the walls let it; the area is measured
  // again after each round, as the group shrinks.
  std::vector<char> inGroup(count, 1);
  int left = count;  // boxes in the group
  for (bool changed = true; changed && left > 0;) {
    changed = false;
    if (!measured) {
      std::memset(reach, 0, sizeof(reach));
      Reach(model, group, hero, reach);
    }
    measured = hero < 0;
    for (int i = 0; i < count; i++) {
      if (inGroup[i] &&
          MayEverMove(model, group, reachable, boxes[i], static_cast<uint8_t>(i + 1), spare == 0)) {
        if (i == moved && spare == 0) {
          return false;  // as above: the push froze no box
        }
        inGroup[i] = 0;
        PushModel::CoverBody(&group, boxes[i], 0);
        changed = true;
        left--;
      }
    }
  }
  int neverPlaced = 0;
  int frozenPlaced = 0;
  for (int i = 0; i < count; i++) {
    const bool onPlace = model.isPlace[boxes[i]] != 0;
    if (model.dead[boxes[i]] || (inGroup[i] && !onPlace)) {
      neverPlaced++;
    } else if (inGroup[i]) {
      frozenPlaced++;
    }
  }
  return neverPlaced > spare || frozenPlaced > model.goalCount;
}
