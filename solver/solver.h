// solver.h: finds the shortest solution of a level by searching over pushes.
//
// The search works on a compact model of the board (solver/model.h) whose
// steps agree with CLevel::Move; every solution it returns has been replayed
// through CLevel::Move and found to solve the level.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "board/level.h"

// What the search has reached so far, for a progress display.
struct SolverProgress {
  uint64_t states;  // states stored
  int bound;        // the lower bound of every solution not yet ruled out
  double seconds;   // since the search began
};

struct SolverOptions {
  double seconds = 0;        // give up after this long; 0: no limit
  size_t memoryBytes = 0;    // give up before the search's own tables pass this; 0: 1 GiB
  uint64_t maxStates = 0;    // give up after this many states; 0: no limit
  bool moveOptimal = false;  // fewest moves instead of fewest pushes
  // With fewest pushes, also the fewest moves among solutions with as few
  // pushes; without, any solution with the fewest pushes.
  bool fewestMoves = true;
  // States the search for fewer moves among the fewest pushes may take; 0:
  // four times those of the push search and 60000 more.
  uint64_t fewerMovesStates = 0;
  std::function<void(const SolverProgress&)> progress;  // called at most a few times a second
};

enum SolveOutcome { SOLVE_SOLVED, SOLVE_NO_SOLUTION, SOLVE_GAVE_UP, SOLVE_UNSUPPORTED };

struct SolveResult {
  SolveOutcome outcome = SOLVE_GAVE_UP;
  std::string moves;  // u d l r, U D L R for steps that push
  int moveCount = 0;
  int pushCount = 0;
  bool pushOptimal = false;  // no solution has fewer pushes
  bool moveOptimal = false;  // no solution has fewer moves
  // No solution with as few pushes has fewer moves (true with moveOptimal too).
  bool fewestMovesForPushes = false;
  int boxChanges = 0;  // how often the pushed box differs from the one pushed before
  // Every solution not yet ruled out has at least this many pushes (moves
  // with moveOptimal): the figure reached when the search gave up.
  int bound = 0;
  uint64_t states = 0;
  double seconds = 0;
  size_t peakBytes = 0;
  std::string message;  // why SOLVE_UNSUPPORTED, or what stopped the search
};

// Solves the level from where it stands now (hero, boxes), ignoring the
// counters. Levels whose object layer holds kinds other than hero, wall and
// box, or whose objects overlap, come back SOLVE_UNSUPPORTED.
SolveResult SolveLevel(const CLevel& level, const SolverOptions& options);
