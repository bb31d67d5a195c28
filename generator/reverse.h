// reverse.h: reverse play: the boxes start on their places and the hero pulls
// them away, one cell at a time, with the inverse of the push rule.
//
// The search goes breadth first from every way of standing beside the placed
// boxes, so the number of pulls that first reaches a position is exactly the
// fewest pushes that solve it. The deepest positions found make starts whose
// solutions are long; their solutions come out of the search as well.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "generator/design.h"

// More boxes than this the search cannot hold in one state.
const int MAX_PULLED_BOXES = 8;

struct Position {
  std::vector<int> boxes;
  int hero = -1;
};

// A start found by the search: its fewest pushes, a solution with that many
// pushes (u d l r for a step, U D L R for a step that pushes), and how often
// that solution turns from one box to another.
struct PulledStart {
  Position start;
  int pushes = 0;
  int boxChanges = 0;
  std::string solution;
};

struct PullOptions {
  uint64_t maxStates = 2000000;
  // How many of the deepest starts to return, those that change boxes most.
  int keep = 8;
  // When set, the search stops at this position and returns it alone.
  const Position* target = nullptr;
};

struct PullSearch {
  std::vector<PulledStart> starts;
  uint64_t states = 0;
  // True when every position the pulls can reach was seen.
  bool exhausted = false;
};

// Pulls boxes away from `places` inside the anchors that `open` allows.
PullSearch PullFromPlaces(const AnchorSet& open, const std::vector<int>& places,
                          const PullOptions& options);
