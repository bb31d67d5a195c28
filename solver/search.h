// search.h: A* over pushes on the solver's model.
//
// A state is the sorted box anchors and the hero: in the push search the hero
// stands for the whole area it can walk to (its top-left-most anchor there),
// in the searches that count moves it is the hero's own anchor after the push.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "solver/model.h"
#include "solver/solver.h"

enum SearchMode {
  SEARCH_PUSHES,  // fewest pushes
  // fewest pushes, then the fewest moves among the solutions with as few
  SEARCH_PUSHES_THEN_MOVES,
  SEARCH_MOVES,  // fewest moves
};

struct SearchLimits {
  std::chrono::steady_clock::time_point start;
  double seconds = 0;  // 0: no limit
  size_t memoryBytes = 0;
  uint64_t maxStates = 0;  // 0: no limit
  int pushBound = 0;       // the fewest pushes, for the moves part of SEARCH_PUSHES_THEN_MOVES
  uint64_t fewerMovesStates = 0;  // states for that moves part; 0: a multiple of the push search's
  std::function<void(const SolverProgress&)> progress;
};

// One push of a solution: where the hero stands before the step, and the
// direction index of the step.
struct PushStep {
  int pusher;
  int dir;
};

struct SearchResult {
  SolveOutcome outcome = SOLVE_GAVE_UP;
  std::vector<PushStep> pushes;
  uint64_t states = 0;
  bool fewestMoves = false;  // SEARCH_PUSHES_THEN_MOVES: the moves are the fewest too
  int bound = 0;             // the smallest key of the states left open
  size_t peakBytes = 0;
  std::string message;  // what stopped a search that gave up
};

SearchResult RunSearch(const PushModel& model, SearchMode mode, const SearchLimits& limits);

// The smallest number of pushes that can bring the right number of boxes onto
// places, by a minimum-cost matching of boxes to places on push distances
// over walls alone, each for a hero on the side of its box where it stands;
// NO_DISTANCE when no matching exists.
class LowerBound {
 public:
  explicit LowerBound(const PushModel& model);
  // The group of spots behind the box at `box` that a hero at `hero` can walk
  // among with walls and that box alone in the way (SPOTS: none). Only a push
  // of that box takes the hero to another group, so it is the same for every
  // anchor the hero walks to among the boxes.
  int Group(int box, int hero);
  // The bound for the boxes whose heroes stand in `groups`, one per box.
  int Pushes(const uint16_t* boxes, const uint8_t* groups);
  size_t Bytes() const { return heroGroups.size() * MODEL_CELLS; }

 private:
  const PushModel& model;
  // Per box anchor, the group of every anchor the hero may stand at,
  // measured when first asked for; see Group.
  std::vector<std::vector<uint8_t>> heroGroups;
  std::vector<int> anchorIndex;  // per box anchor, its row of heroGroups + 1
  int rows;                      // boxes
  int columns;                   // places, and one free column for each box beyond those placed
  std::vector<int> cost, u, v, match, way, minv;
  std::vector<char> used;
};

// True when the boxes (marked in `cover`) can no longer come to rest with the
// right number on places: boxes on dead anchors, or boxes frozen for good,
// where no box of a frozen group can be pushed with walls and the group's
// other boxes in its way, by a hero that walks from `hero` around them (-1:
// one that may stand anywhere, which is quicker to test and prunes less).
// `moved` is the box just pushed, -1 to look at every box.
bool Deadlocked(const PushModel& model, const Cover& cover, const uint16_t* boxes, int count,
                int moved, int hero);

// The fewest steps still to come for the hero, by what each box off its
// place alone needs: the walk to it, its pushes to a place and the walks
// around it, on walls alone. For the searches that count moves.
class WalkBound {
 public:
  explicit WalkBound(const PushModel& model);
  int Moves(const uint16_t* boxes, int count, int hero);
  size_t Bytes() const {
    return (rows.size() + boxMoves.size() + around.size()) * sizeof(uint16_t);
  }

 private:
  // The steps between the spots behind a box at `box` with walls and the box
  // in the way, SPOTS x SPOTS, measured the first time they are asked for.
  const uint16_t* Around(int box);
  // See the definition; measured the first time it is asked for.
  const uint16_t* Row(int box);
  void MeasureBoxMoves();

  const PushModel& model;
  std::vector<int> compact;  // per cell the index of a free anchor, -1 else
  int anchors = 0;
  std::vector<uint16_t> rows;  // anchors x anchors, those of `rowDone`
  std::vector<uint8_t> rowDone;
  std::vector<uint16_t> around;  // per free anchor, SPOTS x SPOTS; see Around
  std::vector<uint8_t> aroundDone;
  // Around's walk: per cell the spot of the box there, the walk's stamp and
  // its steps.
  std::vector<int8_t> spotAt;
  std::vector<uint32_t> seen;
  std::vector<uint16_t> distance;
  std::vector<int> queue;
  uint32_t stamp = 0;
  // Per free anchor and spot behind it, the fewest steps that bring a box
  // there to a place with the hero starting at that spot.
  std::vector<uint16_t> boxMoves;
};
