// walk.cpp: a bound on the steps still to come from the hero's walk to each
// box and around it.
#include <algorithm>

#include "solver/search.h"

namespace {

const int FAR = 1 << 14;  // steps that walls make impossible

}  // namespace

WalkBound::WalkBound(const PushModel& model) : model(model), compact(MODEL_CELLS, -1) {
  for (int cell = 0; cell < MODEL_CELLS; cell++) {
    if (model.anchorFree[cell]) {
      compact[cell] = anchors++;
    }
  }
  rows.resize(static_cast<size_t>(anchors) * anchors);
  rowDone.assign(anchors, 0);
  around.assign(static_cast<size_t>(anchors) * SPOTS * SPOTS, FAR);
  aroundDone.assign(anchors, 0);
  spotAt.assign(MODEL_CELLS, -1);
  seen.assign(MODEL_CELLS, 0);
  distance.assign(MODEL_CELLS, 0);
  MeasureBoxMoves();
}

const uint16_t* WalkBound::Around(int box) {
  uint16_t* steps = &around[static_cast<size_t>(compact[box]) * SPOTS * SPOTS];
  if (aroundDone[compact[box]]) {
    return steps;
  }
  aroundDone[compact[box]] = 1;
  const uint8_t* group = &model.spotGroup[static_cast<size_t>(box) * SPOTS];
  for (int spot = 0; spot < SPOTS; spot++) {
    spotAt[model.Spot(box, spot)] = static_cast<int8_t>(spot);
  }
  for (int from = 0; from < SPOTS; from++) {
    if (group[from] == SPOTS) {
      continue;
    }
    // Only the spots of its own group can be reached, and those before it
    // have measured their way here: the walk stops once it has met the
    // rest.
    steps[from * SPOTS + from] = 0;
    int left = static_cast<int>(std::count(group + from + 1, group + SPOTS, group[from]));
    stamp++;
    queue.assign(1, model.Spot(box, from));
    seen[queue[0]] = stamp;
    distance[queue[0]] = 0;
    for (size_t head = 0; head < queue.size() && left > 0; head++) {
      const int at = queue[head];
      if (spotAt[at] > from && group[spotAt[at]] == group[from]) {
        steps[from * SPOTS + spotAt[at]] = distance[at];
        steps[spotAt[at] * SPOTS + from] = distance[at];
        left--;
      }
      for (int dir = 0; dir < 4; dir++) {
        const int to = at + model.offset[dir];
        if (model.heroReach[to] && seen[to] != stamp && !PushModel::Overlap(box, to)) {
          seen[to] = stamp;
          distance[to] = static_cast<uint16_t>(distance[at] + 1);
          queue.push_back(to);
        }
      }
    }
  }
  for (int spot = 0; spot < SPOTS; spot++) {
    spotAt[model.Spot(box, spot)] = -1;
  }
  return steps;
}

// Pulls a box back from every place with the hero behind it, fewest steps
// first: a push costs a step, and the hero's way from one spot round the box
// to another costs the walk between them with walls and that box in the way.
void WalkBound::MeasureBoxMoves() {
  boxMoves.assign(static_cast<size_t>(anchors) * SPOTS, FAR);
  std::vector<std::vector<int>> buckets(1);  // per cost the entries box * SPOTS + spot
  auto reach = [&](int box, int spot, int cost) {
    uint16_t& known = boxMoves[static_cast<size_t>(compact[box]) * SPOTS + spot];
    if (cost < known) {
      known = static_cast<uint16_t>(cost);
      if (static_cast<size_t>(cost) >= buckets.size()) {
        buckets.resize(cost + 1);
      }
      buckets[cost].push_back(box * SPOTS + spot);
    }
  };
  for (int place : model.places) {
    for (int spot = 0; spot < SPOTS; spot++) {
      if (model.heroReach[model.Spot(place, spot)]) {
        reach(place, spot, 0);
      }
    }
  }
  for (size_t cost = 0; cost < buckets.size(); cost++) {
    for (size_t i = 0; i < buckets[cost].size(); i++) {
      const int box = buckets[cost][i] / SPOTS;
      const int spot = buckets[cost][i] % SPOTS;
      if (boxMoves[static_cast<size_t>(compact[box]) * SPOTS + spot] != cost) {
        continue;
      }
      const uint16_t* steps = Around(box);
      for (int other = 0; other < SPOTS; other++) {
        if (steps[spot * SPOTS + other] < FAR) {
          reach(box, other, static_cast<int>(cost) + steps[spot * SPOTS + other]);
        }
      }
      // The push in this spot's direction that brought the box here.
      const int from = box - model.offset[spot / 3];
      if (model.anchorFree[from] && model.heroReach[model.Spot(from, spot)]) {
        reach(from, spot, static_cast<int>(cost) + 1);
      }
    }
  }
}

// For a box at `box`, per anchor of the hero: its walk with walls and the box
// in the way to a spot behind the box, and the box's steps from there, at
// the fewest. Many sources with their own start costs, one bucket a cost.
const uint16_t* WalkBound::Row(int box) {
  uint16_t* row = &rows[static_cast<size_t>(compact[box]) * anchors];
  if (rowDone[compact[box]]) {
    return row;
  }
  rowDone[compact[box]] = 1;
  std::fill(row, row + anchors, static_cast<uint16_t>(FAR));
  std::vector<std::vector<int>> buckets;
  for (int spot = 0; spot < SPOTS; spot++) {
    const int cost = boxMoves[static_cast<size_t>(compact[box]) * SPOTS + spot];
    const int at = model.Spot(box, spot);
    if (cost < FAR && cost < row[compact[at]]) {
      row[compact[at]] = static_cast<uint16_t>(cost);
      if (static_cast<size_t>(cost) >= buckets.size()) {
        buckets.resize(cost + 1);
      }
      buckets[cost].push_back(at);
    }
  }
  for (size_t cost = 0; cost < buckets.size(); cost++) {
    for (size_t i = 0; i < buckets[cost].size(); i++) {
      const int at = buckets[cost][i];
      if (row[compact[at]] != cost) {
        continue;
      }
      for (int dir = 0; dir < 4; dir++) {
        const int to = at + model.offset[dir];
        if (model.heroReach[to] && row[compact[to]] > cost + 1 && !PushModel::Overlap(box, to)) {
          row[compact[to]] = static_cast<uint16_t>(cost + 1);
          if (cost + 1 >= buckets.size()) {
            buckets.resize(cost + 2);
          }
          buckets[cost + 1].push_back(to);
        }
      }
    }
  }
  return row;
}

// Every box off its place must still come to one: the hero walks to a spot
// behind it, and then takes at least the steps the box alone would need, its
// pushes and the walks around it; walls and that box alone stand in the way.
// The box that needs the most bounds the steps to come. A step changes the
// bound by at most one, a push included (the pushed box needs at most one
// step less from the spot behind it), so the searches never meet a state
// again by a shorter path once they have expanded it.
int WalkBound::Moves(const uint16_t* boxes, int count, int hero) {
  if (model.goalCount != count) {
    return 0;  // a box off its place may stay there
  }
  int most = 0;
  for (int i = 0; i < count; i++) {
    if (!model.isPlace[boxes[i]]) {
      most = std::max(most, static_cast<int>(Row(boxes[i])[compact[hero]]));
    }
  }
  return most;
}
