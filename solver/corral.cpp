// corral.cpp: corral pruning of the push search, for bodies of 2 x 2 cells
// that move by one cell.
//
// Take a state, its hero's area A, and a set of boxes F, the fence. "While F
// stands" means the pushes of a solution before its first push of a box of
// F. While F stands:
// - the hero stays within A_F, the anchors it reaches from where it stands
//   with only walls and F in its way: the other boxes can only shut it out
//   of more;
// - any other box is pushed by a hero at an anchor of A_F stepping to an
//   anchor of A_F (the step's body overlaps that box alone, which A_F
//   ignores), so it only ever stands on R_F, the anchors that pushes on
//   those terms reach from the other boxes' anchors, with walls and F in
//   the way and each other box left out.
// Call Z the cells covered by a body anchored on A_F or R_F: no hero or box
// outside F covers any other cell while F stands. A push's leading edge is
// the two cells its box's body newly covers. The rule needs:
// 1. Every box must end on a place, and a box of F, or another box that no
//    push on the terms above ever moves, is off its place; or there are as
//    many places as boxes, so that each must be filled, and some place
//    that no box of F stands on lies outside R_F. So every solution pushes
//    a box of F.
// 2. Every push of a box of F that a hero in A_F could make, were the boxes
//    outside F gone, has its leading edge outside Z, and can be made now:
//    its pusher anchor lies in A, and the hero's body after the step
//    overlaps no box but the pushed one. Pushes onto dead anchors are left
//    out; no solution makes them.
// Then take a solution s P t, with s free of pushes of F and P the first
// push of a box of F. By 2, P can be made now: its leading edge is clear of
// the boxes outside F, which lie in Z, and of F. After it, s can be made as
// it was: none of its bodies covers P's leading edge, as they all lie in Z,
// and the cells the box left only open the way. The hero stands after P
// next to its pusher anchor and steps back there, into A, whose bodies
// also lie in Z. After P s the boxes stand as after s P, and the hero in the
// same area: after s it walked to a pusher of P and stepped, a walk within
// Z, which it can take after P s as well. So P s t is a solution with as
// many pushes, and at this state the search need only push boxes of F.
// When rule 1 holds and no box of F can ever be pushed, rule 2 holds with
// no pushes at all, and the state is a dead end.
//
// The rule reads the state alone, its boxes and its hero's area, so a state
// expanded again for the children it held back, or reached by another
// path, gets the same children. It holds no promise on moves: P s and s P
// need not take as many steps, so the searches that count moves, and the
// push search whose table guides the search for fewer moves, search every
// push.
//
// The fences tried are the boxes around each corral: a 4-connected patch of
// cells that no body in A covers, no box covers and some body clear of
// walls could cover; and, when none of those holds, the boxes around all of
// them together. The fence with the fewest pushes wins. Rule 2 fails at
// once for a fence with a box that the hero can push now onto a cell of its
// own area, which lies in Z; so corrals are sought only next to the other
// boxes, and most states are done with before any walk.
#include "solver/corral.h"

#include <algorithm>

CorralRule::CorralRule(const PushModel& model)
    : model(model),
      usable(MODEL_CELLS, 0),
      corralCell(MODEL_CELLS, 0),
      fenceArea(MODEL_CELLS, 0),
      boxReach(MODEL_CELLS, 0),
      inFence(model.boxes.size(), 0),
      pushableNow(model.boxes.size(), 0),
      fenceable(model.boxes.size(), 0),
      queue(MODEL_CELLS, 0) {
  for (int anchor = 0; anchor < MODEL_CELLS; anchor++) {
    if (model.anchorFree[anchor]) {
      for (int cell : {anchor, anchor + 1, anchor + MODEL_WIDTH, anchor + MODEL_WIDTH + 1}) {
        usable[cell] = 1;
      }
    }
  }
}

bool CorralRule::MayBePushed(int anchor, uint8_t mark, int dir) const {
  const int to = anchor + model.offset[dir];
  if (!model.anchorFree[to] || model.dead[to] || !PushModel::BodyClearBut(fenceCover, to, mark)) {
    return false;
  }
  for (int k = -1; k <= 1; k++) {
    const int pusher = anchor - 2 * model.offset[dir] + k * model.side[dir];
    const int stepped = pusher + model.offset[dir];
    if (fenceArea[pusher] == fenceStamp && model.anchorFree[stepped] &&
        PushModel::BodyClearBut(fenceCover, stepped, mark)) {
      return true;
    }
  }
  return false;
}

int CorralRule::FencePushes(const uint16_t* boxes, int count, int hero) {
  bool unfinished = false;
  for (int i : fence) {
    unfinished = unfinished || !model.isPlace[boxes[i]];
  }
  fenceCover = Cover();
  for (int i : fence) {
    PushModel::CoverBody(&fenceCover, boxes[i], static_cast<uint8_t>(i + 1));
  }
  fenceStamp++;
  int tail = 0;
  queue[tail++] = static_cast<uint16_t>(hero);
  fenceArea[hero] = fenceStamp;
  for (int head = 0; head < tail; head++) {
    for (int dir = 0; dir < 4; dir++) {
      const int to = queue[head] + model.offset[dir];
      if (fenceArea[to] != fenceStamp && model.anchorFree[to] &&
          PushModel::BodyBoxes(fenceCover, to) == 0) {
        fenceArea[to] = fenceStamp;
        queue[tail++] = static_cast<uint16_t>(to);
      }
    }
  }
  // Before the boxes' walk no anchor is marked in boxReach with this
  // stamp, so this tries rule 2 on the hero's part of Z alone, where most
  // fences that get this far fail.
  if (IntoCorral(boxes) < 0) {
    return -1;
  }
  tail = 0;
  for (int i = 0; i < count; i++) {
    if (!inFence[i]) {
      bool moves = false;
      for (int dir = 0; dir < 4; dir++) {
        moves = moves || MayBePushed(boxes[i], 0, dir);
      }
      unfinished = unfinished || (!moves && !model.isPlace[boxes[i]]);
      if (boxReach[boxes[i]] != fenceStamp) {
        boxReach[boxes[i]] = fenceStamp;
        queue[tail++] = boxes[i];
      }
    }
  }
  for (int head = 0; head < tail; head++) {
    for (int dir = 0; dir < 4; dir++) {
      const int to = queue[head] + model.offset[dir];
      if (boxReach[to] != fenceStamp && MayBePushed(queue[head], 0, dir)) {
        boxReach[to] = fenceStamp;
        queue[tail++] = static_cast<uint16_t>(to);
      }
    }
  }
  // With as many places as boxes every place must be filled, and a place
  // that no box outside the fence reaches needs a box of the fence.
  if (static_cast<int>(model.places.size()) == count) {
    for (int place : model.places) {
      bool filled = boxReach[place] == fenceStamp;
      for (int i : fence) {
        filled = filled || boxes[i] == place;
      }
      unfinished = unfinished || !filled;
    }
  }
  if (!unfinished) {
    return -1;
  }
  return IntoCorral(boxes);
}

int CorralRule::IntoCorral(const uint16_t* boxes) const {
  int pushes = 0;
  for (int i : fence) {
    for (int dir = 0; dir < 4; dir++) {
      if (!MayBePushed(boxes[i], static_cast<uint8_t>(i + 1), dir)) {
        continue;
      }
      const int edge = LeadingEdge(boxes[i], dir);
      if (InZone(edge) || InZone(edge + model.side[dir]) || (pushableNow[i] & 1 << dir) == 0) {
        return -1;
      }
      pushes++;
    }
  }
  return pushes;
}

bool CorralRule::Restrict(const Cover& cover, const uint16_t* boxes, int count, int hero,
                          const uint32_t* seen, uint32_t stamp, std::vector<uint8_t>* only) {
  if (count != model.goalCount) {
    return false;
  }
  callStamp++;
  // True when the hero's body covers `cell` somewhere in its area.
  const auto heroCell = [seen, stamp](int cell) {
    return seen[cell] == stamp || seen[cell - 1] == stamp || seen[cell - MODEL_WIDTH] == stamp ||
           seen[cell - MODEL_WIDTH - 1] == stamp;
  };
  // The pushes the hero can make now, and the boxes that may fence a
  // corral: a push that covers a cell of the hero's own area breaks rule 2.
  bool anyFenceable = false;
  for (int i = 0; i < count; i++) {
    const uint8_t mark = static_cast<uint8_t>(i + 1);
    pushableNow[i] = 0;
    fenceable[i] = 1;
    for (int dir = 0; dir < 4; dir++) {
      if (!model.BoxMayMove(cover, boxes[i], mark, dir) ||
          model.dead[boxes[i] + model.offset[dir]]) {
        continue;
      }
      for (int k = -1; k <= 1; k++) {
        const int pusher = boxes[i] - 2 * model.offset[dir] + k * model.side[dir];
        const int stepped = pusher + model.offset[dir];
        if (seen[pusher] == stamp && model.anchorFree[stepped] &&
            PushModel::BodyClearBut(cover, stepped, mark)) {
          pushableNow[i] |= static_cast<uint8_t>(1 << dir);
          break;
        }
      }
      const int edge = LeadingEdge(boxes[i], dir);
      if ((pushableNow[i] & 1 << dir) != 0 &&
          (heroCell(edge) || heroCell(edge + model.side[dir]))) {
        fenceable[i] = 0;
      }
    }
    anyFenceable = anyFenceable || fenceable[i];
  }
  if (!anyFenceable) {
    return false;
  }
  int best = -1;
  int fenced = 0;  // corrals with a fence
  allFences.clear();
  const auto tryFence = [&]() {
    const int pushes = FencePushes(boxes, count, hero);
    if (pushes >= 0 && (best < 0 || pushes < best)) {
      best = pushes;
      only->assign(count, 0);
      for (int i : fence) {
        (*only)[i] = 1;
      }
    }
  };
  // A cell of a corral: one some body could cover, that no box covers and
  // no body of the hero's area.
  const auto open = [&](int cell) {
    return cover.box[cell] == 0 && corralCell[cell] != callStamp && !heroCell(cell);
  };
  // Every box of a fence must be one that may fence, so the corrals are
  // sought from the cells around those.
  for (int seed = 0; seed < count; seed++) {
    if (!fenceable[seed]) {
      continue;
    }
    const int anchor = boxes[seed];
    for (int start : {anchor - MODEL_WIDTH, anchor - MODEL_WIDTH + 1, anchor + 2 * MODEL_WIDTH,
                      anchor + 2 * MODEL_WIDTH + 1, anchor - 1, anchor + MODEL_WIDTH - 1,
                      anchor + 2, anchor + MODEL_WIDTH + 2}) {
      if (!usable[start] || !open(start)) {
        continue;
      }
      corralCell[start] = callStamp;
      cells.assign(1, start);
      fence.clear();
      bool fails = false;
      for (size_t head = 0; head < cells.size(); head++) {
        for (int dir = 0; dir < 4; dir++) {
          const int next = cells[head] + model.offset[dir];
          const int mark = cover.box[next];
          if (mark != 0 && !inFence[mark - 1]) {
            inFence[mark - 1] = 1;
            fence.push_back(mark - 1);
            fails = fails || !fenceable[mark - 1];
          } else if (usable[next] && open(next)) {
            corralCell[next] = callStamp;
            cells.push_back(next);
          }
        }
      }
      if (!fails) {
        fenced++;
        tryFence();
      }
      for (int i : fence) {
        inFence[i] = 0;
        if (!fails && std::find(allFences.begin(), allFences.end(), i) == allFences.end()) {
          allFences.push_back(i);
        }
      }
    }
  }
  // A box pushed out of one corral into another breaks the rule for each,
  // but not for both together.
  if (fenced > 1 && best < 0) {
    fence.swap(allFences);
    for (int i : fence) {
      inFence[i] = 1;
    }
    tryFence();
    for (int i : fence) {
      inFence[i] = 0;
    }
  }
  return best >= 0;
}
