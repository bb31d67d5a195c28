// solver_test.cpp: the solver finds the fewest pushes and moves, says "no
// solution" only for unsolvable levels, refuses levels it cannot model, and
// replay accepts right move strings and names the step of wrong ones.
#include "solver/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <queue>
#include <random>
#include <set>

#include "board/levelread.h"
#include "board/replay.h"
#include "solver/model.h"
#include "solver/search.h"
#include "tests/solver_levels.h"

namespace {

// A corridor two cells high: hero, box, and a place four cells on.
const char CORRIDOR[] =
    "#.#.#.#.#.#.#.|..............|#.@.$...o...#.|..............|#.#.#.#.#.#.#.";
// Four cells high, the box half a block below the hero.
const char HALF_BELOW[] =
    "#.#.#.#.#.#.#.|..............|#.@.........#.|....$...o.....|#...........#.|..............|"
    "#.#.#.#.#.#.#.";
// The fewest pushes (3) take 26 moves; 20 moves do with 5 pushes.
const char TRADE[] =
    "#.#.#.#.#.#.|............|#.#.......#.|............|#...$..@..#.|............|#...o$o...#.|"
    "............|#.........#.|............|#.#.#.#.#.#.";

// A generated room of whole squares, four boxes: its fewest moves for the
// fewest pushes pass states where the push bound is short of the pushes
// still to come.
const char FOUR_BOXES[] =
    "#.#.#.#.#.#.#.#.#.|..................|#...............#.|..................|"
    "#.......o.$...*.#.|..................|#...#...$.o...#.#.|..................|"
    "#...............#.|..................|#.o.$.#.#.#...#.#.|..................|"
    "#.#.....@.#...#.#.|..................|#.#.#.#.#.#.#.#.#.";

TEST(SolverTest, SolvesSmallLevelsWithTheFewestPushesAndMoves) {
  const struct {
    const char* picture;
    bool moveOptimal;
    SolveOutcome outcome;
    int pushes, moves;
  } cases[] = {
      {CORRIDOR, false, SOLVE_SOLVED, 4, 4},
      {HALF_BELOW, false, SOLVE_SOLVED, 4, 4},
      {TRADE, false, SOLVE_SOLVED, 3, 26},
      {TRADE, true, SOLVE_SOLVED, 5, 20},
      {FOUR_BOXES, false, SOLVE_SOLVED, 10, 50},
      // The upper box is stuck until the lower one is pushed aside.
      {"......o.......|..............|....#.$.#.....|..............|......$...o...|"
       "..............|..............|..........@...",
       false, SOLVE_SOLVED, 6, 17},
      // Walls half above, left and right: only a hero standing half aside
      // can push the box down, so it is not frozen.
      {".....#.@..|..........|....#.$...|......o.#.|....#.....", false, SOLVE_SOLVED, 1, 1},
      {"#.#.#.|......|#.@.*.|......|#.#.#.", false, SOLVE_SOLVED, 0, 0},
      // A room of whole squares whose fewest moves come out longer when a
      // push from the nearer of two pushers stands in for the other without
      // the steps across between them.
      {"#.#.#.#.#.#.#.#.#.#|...................|#...#.#...$.o.#...#|...................|"
       "#.....#.......#...#|...................|#...$.......o.....#|...................|"
       "#.............#.#.#|...................|#.#...............#|...................|"
       "#.....$.+.......*.#|...................|#.........#...#...#|...................|"
       "#.#.#.#.#.#.#.#.#.#",
       false, SOLVE_SOLVED, 12, 33},
      // A generated room whose fewest moves for the fewest pushes come out
      // 58 when the hero's walk to a box is measured through that box while
      // its way round the box is not.
      {"#.#.#.#.#.#.#.#.#.|..................|#.....#.........#.|..................|"
       "#...........#...#.|..................|#.....#...*.....#.|..................|"
       "#...#.........#.#.|..................|#...$...#.......#.|..................|"
       "#.......o.$.@...#.|..................|#...$.o.o.#.....#.|..................|"
       "#.#.#.#.#.#.#.#.#.",
       false, SOLVE_SOLVED, 12, 56},
      // A generated room whose fewest moves come out 43 when a state is
      // passed over for one with the same boxes whose hero is shut off
      // from its own.
      {"#.#.#.#.#.#.#.#.#.#.|....................|#.o.o...#.........#.|"
       "....................|#.....$.........#.#.|....................|"
       "#.....$.......$.+.#.|....................|#.......#...*...#.#.|"
       "....................|#.#.#.#.#.#.#.#.#.#.",
       false, SOLVE_SOLVED, 18, 41},
      // A box on a place walled in where the hero never reaches it.
      {"#.#.#.#.#.#.#.#.|................|#.*.#.@.$.o...#.|................|#.#.#.#.#.#.#.#.",
       false, SOLVE_SOLVED, 2, 2},
      // The hero can only push the box away from its place.
      {"#.#.#.#.#.#.#.|..............|#...$...@.o.#.|..............|#.#.#.#.#.#.#.", false,
       SOLVE_NO_SOLUTION, 0, 0},
      {"#.#.#.#.|........|#.$.@.o.|........|#.#.#.#.", false, SOLVE_NO_SOLUTION, 0, 0},
  };
  auto level = std::make_unique<CLevel>();
  for (const auto& test : cases) {
    SCOPED_TRACE(test.picture);
    PictureLevel(level.get(), test.picture);
    SolverOptions options;
    options.moveOptimal = test.moveOptimal;
    const SolveResult result = SolveLevel(*level, options);
    EXPECT_EQ(result.outcome, test.outcome) << result.message;
    EXPECT_EQ(std::make_pair(result.pushCount, result.moveCount),
              std::make_pair(test.pushes, test.moves));
    EXPECT_EQ(result.pushOptimal, test.outcome == SOLVE_SOLVED && !test.moveOptimal);
    EXPECT_EQ(result.moveOptimal, test.outcome == SOLVE_SOLVED && test.moveOptimal);
  }
  // The box in the doorway goes left only into a pocket it never leaves, and
  // right only from that pocket, which it shuts off from the hero: no search.
  PictureLevel(level.get(),
               "#.#.#.#.#.#.#.|..............|#.#.#.......#.|..............|#...$.@...o.#.|"
               "..............|#.#.#.......#.|..............|#.#.#.#.#.#.#.");
  const SolveResult sealed = SolveLevel(*level, SolverOptions());
  EXPECT_EQ(std::make_pair(sealed.outcome, sealed.states),
            std::make_pair(SOLVE_NO_SOLUTION, uint64_t{0}));
}

TEST(SolverTest, RefusesLevelsItCannotModelAndGivesUpAtTheStateLimit) {
  auto level = std::make_unique<CLevel>();
  PictureLevel(level.get(), CORRIDOR);
  const struct {
    const char* message;
    int column, row, kind;
  } cases[] = {
      {"object layer holds kind 5 at column 9, row 6", 9, 6, TILE_PLACE},
      {"objects overlap at column 7, row 5", 7, 5, TILE_BOX},
      {"no hero tile at the hero's anchor (column 4, row 4)", 4, 4, TILE_NONE},
      {"box leaves the grid at column 24, row 10", 24, 10, TILE_BOX},
  };
  for (const auto& test : cases) {
    auto broken = std::make_unique<CLevel>(*level);
    PlaceTiles(broken.get(), test.column, test.row, test.kind, TILE_FLOOR);
    const SolveResult result = SolveLevel(*broken, SolverOptions());
    EXPECT_EQ(result.outcome, SOLVE_UNSUPPORTED);
    EXPECT_EQ(result.message, test.message);
  }
  // A count beyond the boxes and the places can never be met.
  auto overCounted = std::make_unique<CLevel>(*level);
  overCounted->boxCount = 4;
  EXPECT_EQ(SolveLevel(*overCounted, SolverOptions()).outcome, SOLVE_NO_SOLUTION);
  SolverOptions options;
  options.maxStates = 2;
  EXPECT_EQ(SolveLevel(*level, options).message, "state limit reached");
}

// Fewest (pushes, moves) or (moves, pushes) by a plain search over the hero's
// own anchor and the boxes, stepping with the model's single step (which the
// differential test holds against the board) and pruning nothing. -1 when no
// solution exists.
std::pair<int, int> ReferenceCost(const CLevel& level, bool byMoves) {
  PushModel model;
  std::string error;
  EXPECT_TRUE(model.Init(level, &error)) << error;
  typedef std::vector<uint16_t> State;  // hero, then the boxes in a fixed order
  typedef std::pair<std::pair<int, int>, State> Entry;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
  std::set<State> seen;
  State start(1, static_cast<uint16_t>(model.hero));
  start.insert(start.end(), model.boxes.begin(), model.boxes.end());
  open.push({{0, 0}, start});
  while (!open.empty()) {
    const Entry entry = open.top();
    open.pop();
    const State& state = entry.second;
    if (!seen.insert(state).second) {
      continue;
    }
    int placed = 0;
    Cover cover;
    for (size_t i = 1; i < state.size(); i++) {
      placed += model.isPlace[state[i]];
      PushModel::CoverBody(&cover, state[i], static_cast<uint8_t>(i));
    }
    if (placed == model.goalCount) {
      return byMoves ? std::make_pair(entry.first.second, entry.first.first) : entry.first;
    }
    for (int dir = 0; dir < 4; dir++) {
      const int outcome = model.StepOutcome(cover, &state[1], state[0], dir);
      if (outcome < 0) {
        continue;
      }
      State next = state;
      next[0] = static_cast<uint16_t>(state[0] + model.offset[dir]);
      if (outcome > 0) {
        next[outcome] = static_cast<uint16_t>(next[outcome] + model.offset[dir]);
      }
      const std::pair<int, int> cost =
          byMoves ? std::make_pair(entry.first.first + 1, entry.first.second + (outcome > 0))
                  : std::make_pair(entry.first.first + (outcome > 0), entry.first.second + 1);
      if (!seen.count(next)) {
        open.push({cost, next});
      }
    }
  }
  return {-1, -1};
}

TEST(SolverTest, MatchesAPlainSearchOnSmallRandomLevels) {
  std::mt19937 random(2026);
  auto level = std::make_unique<CLevel>();
  int unsolvable = 0;
  int exact = 0;  // levels whose walk bound is their fewest moves
  for (int round = 0; round < 40; round++) {
    SCOPED_TRACE("round " + std::to_string(round));
    RandomLevel(&random, level.get(), 8 + round % 3 * 2, 6 + round % 2 * 2, 1 + round % 4 / 2,
                true);
    const std::pair<int, int> byPushes = ReferenceCost(*level, false);
    SolveResult result = SolveLevel(*level, SolverOptions());
    if (byPushes.first < 0) {
      EXPECT_EQ(result.outcome, SOLVE_NO_SOLUTION);
      unsolvable++;
      continue;
    }
    ASSERT_EQ(result.outcome, SOLVE_SOLVED) << result.message;
    EXPECT_EQ(std::make_pair(result.pushCount, result.moveCount), byPushes);
    EXPECT_TRUE(result.fewestMovesForPushes);
    SolverOptions options;
    options.moveOptimal = true;
    result = SolveLevel(*level, options);
    const std::pair<int, int> byMoves = ReferenceCost(*level, true);
    EXPECT_EQ(std::make_pair(result.pushCount, result.moveCount), byMoves);
    // The walk bound never passes the fewest moves, and with a single box
    // it is often exact.
    PushModel model;
    std::string error;
    ASSERT_TRUE(model.Init(*level, &error));
    std::vector<uint16_t> boxes(model.boxes);
    std::sort(boxes.begin(), boxes.end());
    const int walk =
        WalkBound(model).Moves(boxes.data(), static_cast<int>(boxes.size()), model.hero);
    EXPECT_LE(walk, byMoves.second);
    exact += walk == byMoves.second;
  }
  // Both kinds come up often enough to mean something.
  EXPECT_GE(unsolvable, 8);
  EXPECT_LE(unsolvable, 20);
  EXPECT_GE(exact, 15);
}

// The push search alone pushes only the boxes around a corral when that
// loses no solution with the fewest pushes (solver/corral.cpp); pack levels
// where bolder rules lose one or make it longer keep their proven fewest.
TEST(SolverTest, PushSearchAloneKeepsTheFewestPushesWhenCorralsCutIt) {
  SolverOptions pushesAlone;
  pushesAlone.fewestMoves = false;
  // Three boxes must pass a doorway into the room of places, the first of
  // them standing in it: until it goes through, the rest wait.
  auto level = std::make_unique<CLevel>();
  PictureLevel(level.get(),
               "#.#.#.#.#.#.#.#.#.#.#.|....................|#.......#...........#.|"
               "....................|#.@.....#...o.o.o...#.|....................|"
               "#...$.$.$...........#.|....................|#...$...#...o.......#.|"
               "....................|#.......#...........#.|....................|"
               "#.#.#.#.#.#.#.#.#.#.#.");
  SolveResult result = SolveLevel(*level, pushesAlone);
  EXPECT_EQ(result.pushCount, 48);
  EXPECT_TRUE(result.pushOptimal);
  EXPECT_LT(result.states, 7000u);  // 10,497 searching every push
  // Only one box of two must rest on a place: the one in the doorway may
  // stay where it is.
  PictureLevel(level.get(),
               "#.#.#.#.#.#.#.#.#.#.#.|....................|#.......#...........#.|"
               "....................|#.@.....#...........#.|....................|"
               "#...$.o.$...........#.|....................|#.......#...........#.|"
               "....................|#.......#...........#.|....................|"
               "#.#.#.#.#.#.#.#.#.#.#.");
  level->boxCount = 1;
  EXPECT_EQ(SolveLevel(*level, pushesAlone).pushCount, 2);
  const struct {
    const char* name;
    int pushes;
  } cases[] = {{"crooked", 21}, {"twinrooms", 25}, {"gallery", 26}, {"busyfloor", 26}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    std::string error;
    ASSERT_TRUE(
        ReadLevelFile("level/source/" + std::string(test.name) + ".txt", level.get(), &error))
        << error;
    result = SolveLevel(*level, pushesAlone);
    EXPECT_EQ(std::make_pair(result.outcome, result.pushCount),
              std::make_pair(SOLVE_SOLVED, test.pushes));
  }
  // The fewest moves for the fewest pushes need every push searched: with
  // corrals cut, this level would take 74 moves.
  std::string error;
  ASSERT_TRUE(ReadLevelFile("level/source/narrowgap.txt", level.get(), &error)) << error;
  result = SolveLevel(*level, SolverOptions());
  EXPECT_EQ(std::make_pair(result.pushCount, result.moveCount), std::make_pair(31, 72));
  EXPECT_TRUE(result.fewestMovesForPushes);
}

// The matching bound counts each box's pushes from the side of it the hero
// can walk to: a box in a corridor goes only away from the hero.
TEST(SolverTest, BoundCountsPushesFromTheSideTheHeroReaches) {
  const struct {
    const char* picture;
    int pushes;
  } cases[] = {
      {"#.#.#.#.#.#.#.#.#.|..................|#.o.....$...@...#.|..................|"
       "#.#.#.#.#.#.#.#.#.",
       6},
      {"#.#.#.#.#.#.#.#.#.|..................|#.o.@...$.......#.|..................|"
       "#.#.#.#.#.#.#.#.#.",
       NO_DISTANCE},
      // Round the box and over the pillar the hero reaches the far side.
      {"#.#.#.#.#.#.#.#.#.|..................|#...............#.|..................|"
       "#.o.@...$.......#.|..................|#.......#.......#.|..................|"
       "#...............#.|..................|#.#.#.#.#.#.#.#.#.",
       6},
  };
  auto level = std::make_unique<CLevel>();
  for (const auto& test : cases) {
    SCOPED_TRACE(test.picture);
    PictureLevel(level.get(), test.picture);
    PushModel model;
    std::string error;
    ASSERT_TRUE(model.Init(*level, &error)) << error;
    LowerBound bound(model);
    const uint8_t group = static_cast<uint8_t>(bound.Group(model.boxes[0], model.hero));
    EXPECT_EQ(bound.Pushes(model.boxes.data(), &group), test.pushes);
  }
  // In an open room with pillars the walls-alone count falls 14 pushes
  // short of four ways's 32, and the push search stored 31,473 states.
  std::string error;
  ASSERT_TRUE(ReadLevelFile("level/source/fourways.txt", level.get(), &error)) << error;
  SolverOptions pushesAlone;
  pushesAlone.fewestMoves = false;
  const SolveResult result = SolveLevel(*level, pushesAlone);
  EXPECT_EQ(result.pushCount, 32);
  EXPECT_LT(result.states, 2000u);
}

TEST(SolverTest, ReplayChecksEveryLetterAgainstTheBoard) {
  const struct {
    const char* picture;
    const char* moves;
    const char* error;
    bool solved;
  } cases[] = {
      {CORRIDOR, "RRRR", "", true},
      {CORRIDOR, "RRRR\n", "", true},
      {CORRIDOR, "RRR", "", false},
      {HALF_BELOW, "dRRRR", "", true},
      {HALF_BELOW, "DRRRRl", "step 1 'D': the step pushes no box", false},
      {CORRIDOR, "rRRR", "step 1 'r': the step pushes a box", false},
      {CORRIDOR, "RRRx", "step 4 'x': not a move letter (u d l r, U D L R)", false},
      {CORRIDOR, "RR\nRR", "step 3 '\n': not a move letter (u d l r, U D L R)", false},
      {CORRIDOR, "uRRR", "step 1 'u': the hero can't go that way", false},
  };
  auto level = std::make_unique<CLevel>();
  for (const auto& test : cases) {
    SCOPED_TRACE(test.moves);
    PictureLevel(level.get(), test.picture);
    std::string error;
    EXPECT_EQ(ReplayMoves(level.get(), test.moves, &error), *test.error == '\0');
    EXPECT_EQ(error, test.error);
    EXPECT_EQ(IsSolved(*level), test.solved);
  }
}

}  // namespace
