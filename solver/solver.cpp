// solver.cpp: solving a level: the search, and the replay that every
// solution must pass.
#include "solver/solver.h"

#include <memory>

#include "board/replay.h"
#include "solver/search.h"

namespace {

const size_t DEFAULT_MEMORY = size_t(1) << 30;

// Writes the steps of `pushes` from the start of `model`: the hero's shortest
// walk to each pusher anchor, then the push. False if a push cannot be made,
// which would be a fault of the search.
bool Spell(const PushModel& model, const std::vector<PushStep>& pushes, SolveResult* result) {
  Cover cover;
  std::vector<uint16_t> boxes(model.boxes);
  for (size_t i = 0; i < boxes.size(); i++) {
    PushModel::CoverBody(&cover, boxes[i], static_cast<uint8_t>(i + 1));
  }
  int hero = model.hero;
  int lastBox = -1;
  std::vector<int> cameFrom(MODEL_CELLS);
  std::vector<int> queue;
  for (const PushStep& push : pushes) {
    std::fill(cameFrom.begin(), cameFrom.end(), -1);
    queue.assign(1, hero);
    cameFrom[hero] = hero;
    for (size_t head = 0; head < queue.size() && cameFrom[push.pusher] < 0; head++) {
      for (int dir = 0; dir < 4; dir++) {
        const int to = queue[head] + model.offset[dir];
        if (cameFrom[to] < 0 && model.StepOutcome(cover, boxes.data(), queue[head], dir) == 0) {
          cameFrom[to] = queue[head];
          queue.push_back(to);
        }
      }
    }
    if (cameFrom[push.pusher] < 0) {
      return false;
    }
    std::string walk;
    for (int at = push.pusher; at != hero; at = cameFrom[at]) {
      const int from = cameFrom[at];
      for (int dir = 0; dir < 4; dir++) {
        if (from + model.offset[dir] == at) {
          walk += LetterOf(DIRECTION_CODES[dir], false);
        }
      }
    }
    result->moves.append(walk.rbegin(), walk.rend());
    const int met = model.StepOutcome(cover, boxes.data(), push.pusher, push.dir);
    if (met <= 0) {
      return false;
    }
    result->moves += LetterOf(DIRECTION_CODES[push.dir], true);
    result->boxChanges += lastBox >= 0 && lastBox != met - 1;
    lastBox = met - 1;
    PushModel::CoverBody(&cover, boxes[met - 1], 0);
    boxes[met - 1] = static_cast<uint16_t>(boxes[met - 1] + model.offset[push.dir]);
    PushModel::CoverBody(&cover, boxes[met - 1], static_cast<uint8_t>(met));
    hero = push.pusher + model.offset[push.dir];
  }
  result->moveCount = static_cast<int>(result->moves.size());
  result->pushCount = static_cast<int>(pushes.size());
  return true;
}

}  // namespace

SolveResult SolveLevel(const CLevel& level, const SolverOptions& options) {
  SolveResult result;
  SearchLimits limits;
  limits.start = std::chrono::steady_clock::now();
  auto finish = [&](SolveOutcome outcome) {
    result.outcome = outcome;
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - limits.start).count();
    return result;
  };
  PushModel model;
  if (!model.Init(level, &result.message)) {
    return finish(SOLVE_UNSUPPORTED);
  }
  limits.seconds = options.seconds;
  limits.memoryBytes = options.memoryBytes != 0 ? options.memoryBytes : DEFAULT_MEMORY;
  limits.maxStates = options.maxStates;
  limits.fewerMovesStates = options.fewerMovesStates;
  limits.progress = options.progress;
  const SearchMode mode = options.moveOptimal   ? SEARCH_MOVES
                          : options.fewestMoves ? SEARCH_PUSHES_THEN_MOVES
                                                : SEARCH_PUSHES;
  const SearchResult found = RunSearch(model, mode, limits);
  result.states = found.states;
  result.bound = found.bound;
  result.peakBytes = found.peakBytes;
  if (found.outcome != SOLVE_SOLVED) {
    result.message = found.message;
    return finish(found.outcome);
  }
  result.pushOptimal = !options.moveOptimal;
  result.moveOptimal = options.moveOptimal;
  result.fewestMovesForPushes = options.moveOptimal || found.fewestMoves;
  if (!Spell(model, found.pushes, &result)) {
    result = SolveResult();
    result.message = "solver fault: its solution cannot be written as steps";
    return finish(SOLVE_GAVE_UP);
  }
  auto check = std::make_unique<CLevel>(level);
  std::string error;
  if (!ReplayMoves(check.get(), result.moves, &error) || !IsSolved(*check)) {
    const std::string moves = result.moves;
    result = SolveResult();
    result.message = "solver fault: its solution " + moves +
                     " fails on replay: " + (error.empty() ? "the level is not solved" : error);
    return finish(SOLVE_GAVE_UP);
  }
  return finish(SOLVE_SOLVED);
}
