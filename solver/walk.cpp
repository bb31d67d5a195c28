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
  MeasureBoxMoves();
}

const uint16_t* WalkBound::Row(int from) {
  const int source = compact[from];
  uint16_t* row = &rows[static_cast<size_t>(source) * anchors];
  if (rowDone[source]) {
    return row;
  }
  rowDone[source] = 1;
  std::fill(row, row + anchors, static_cast<uint16_t>(FAR));
  std::vector<int> queue(1, from);
  row[source] = 0;
  for (size_t head = 0; head < queue.size(); head++) {
    const int at = queue[head];
    for (int dir = 0; dir < 4; dir++) {
      const int to = at + model.offset[dir];
      if (model.anchorFree[to] && row[compact[to]] == FAR) {
        row[compact[to]] = static_cast<uint16_t>(row[compact[at]] + 1);
        queue.push_back(to);
      }
    }
  }
  return row;
}

// Pulls a box back from every place with the hero behind it, fewest steps
// first: a push costs a step, and the hero's way from one spot around the box
// to another costs the walk between them on walls alone.
void WalkBound::MeasureBoxMoves() {
  boxMoves.assign(static_cast<size_t>(anchors) * SPOTS, FAR);
  std::vector<std::vector<int>> buckets(1);  // per cost the entries box * SPOTS + slot
  auto reach = [&](int box, int slot, int cost) {
    uint16_t& known = boxMoves[static_cast<size_t>(compact[box]) * SPOTS + slot];
    if (cost < known) {
      known = static_cast<uint16_t>(cost);
      if (static_cast<size_t>(cost) >= buckets.size()) {
        buckets.resize(cost + 1);
      }
      buckets[cost].push_back(box * SPOTS + slot);
    }
  };
  for (int place : model.places) {
    for (int slot = 0; slot < SPOTS; slot++) {
      if (model.anchorFree[model.Spot(place, slot)]) {
        reach(place, slot, 0);
      }
    }
  }
  for (size_t cost = 0; cost < buckets.size(); cost++) {
    for (size_t i = 0; i < buckets[cost].size(); i++) {
      const int box = buckets[cost][i] / SPOTS;
      const int slot = buckets[cost][i] % SPOTS;
      if (boxMoves[static_cast<size_t>(compact[box]) * SPOTS + slot] != cost) {
        continue;
      }
      const uint16_t* row = Row(model.Spot(box, slot));
      for (int other = 0; other < SPOTS; other++) {
        if (model.anchorFree[model.Spot(box, other)]) {
          reach(box, other, static_cast<int>(cost) + row[compact[model.Spot(box, other)]]);
        }
      }
      // The push in this spot's direction that brought the box here.
      const int from = box - model.offset[slot / 3];
      if (model.anchorFree[from] && model.anchorFree[model.Spot(from, slot)]) {
        reach(from, slot, static_cast<int>(cost) + 1);
      }
    }
  }
}

// Every box off its place must still come to one: the hero walks to a spot
// behind it, and then takes at least the steps the box alone would need, its
// pushes and the walks around it, on walls alone. The box that needs the most
// bounds the steps to come. A step changes the bound by at most one, a push
// included (the pushed box needs at most one step less from the spot behind
// it), so the searches never meet a state again by a shorter path once they
// have expanded it.
int WalkBound::Moves(const uint16_t* boxes, int count, int hero) {
  if (model.goalCount != count) {
    return 0;  // a box off its place may stay there
  }
  const uint16_t* row = Row(hero);
  int most = 0;
  for (int i = 0; i < count; i++) {
    if (model.isPlace[boxes[i]]) {
      continue;
    }
    int fewest = FAR;
    for (int slot = 0; slot < SPOTS; slot++) {
      const int at = model.Spot(boxes[i], slot);
      if (model.anchorFree[at]) {
        fewest =
            std::min(fewest, row[compact[at]] +
                                 boxMoves[static_cast<size_t>(compact[boxes[i]]) * SPOTS + slot]);
      }
    }
    most = std::max(most, fewest);
  }
  return std::min(most, FAR);
}
