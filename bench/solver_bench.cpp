// solver_bench.cpp: how fast the solver is: each level of the pack, and a set
// of a thousand generated rooms of classic size with four boxes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/classic_rooms.h"
#include "solver/solver.h"

namespace {

std::vector<std::string> PackLevels() {
  std::vector<std::string> paths;
  std::ifstream list("level/standart/list");
  std::string name;
  while (std::getline(list, name)) {
    paths.push_back("level/standart/" + name);
  }
  return paths;
}

void Report(benchmark::State& state, const SolveResult& result) {
  state.counters["pushes"] = result.pushCount;
  state.counters["moves"] = result.moveCount;
  state.counters["pushOptimal"] = result.pushOptimal;
  state.counters["fewestMoves"] = result.fewestMovesForPushes;
  state.counters["states"] = static_cast<double>(result.states);
  state.counters["states/s"] = result.states / std::max(result.seconds, 1e-9);
  state.counters["peakMB"] = result.peakBytes / 1048576.0;
}

// One level of the pack, with the fewest pushes or the fewest moves.
void SolvePackLevel(benchmark::State& state, const std::string& path, bool moveOptimal) {
  auto level = std::make_unique<CLevel>();
  level->Load(path.c_str());
  SolverOptions options;
  options.moveOptimal = moveOptimal;
  SolveResult result;
  for (auto _ : state) {
    result = SolveLevel(*level, options);
  }
  Report(state, result);
}

// What a set of levels took: how many were proven, the processor time, the
// states searched and the largest tables.
struct Totals {
  double quickSeconds = 0;  // levels solved within this count as quick
  int levels = 0;
  int proven = 0;
  int fewestMoves = 0;  // with the fewest moves for their pushes too
  int quick = 0;
  double seconds = 0;
  double slowest = 0;
  int slowestIndex = 0;  // in the order of the calls to Solve
  uint64_t states = 0;
  size_t peak = 0;

  // Solves one level and returns its processor time.
  double Solve(const CLevel& level, const SolverOptions& options) {
    const std::clock_t start = std::clock();
    const SolveResult result = SolveLevel(level, options);
    const double used = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    quick += used <= quickSeconds;
    if (used > slowest) {
      slowest = used;
      slowestIndex = levels;
    }
    levels++;
    proven += result.outcome == SOLVE_SOLVED && result.pushOptimal;
    fewestMoves += result.outcome == SOLVE_SOLVED && result.fewestMovesForPushes;
    seconds += used;
    states += result.states;
    peak = std::max(peak, result.peakBytes);
    return used;
  }
  void Report(benchmark::State& state) const {
    state.counters["proven"] = proven;
    state.counters["fewestMoves"] = fewestMoves;
    state.counters["states/s"] = states / std::max(seconds, 1e-9);
    state.counters["peakMB"] = peak / 1048576.0;
    state.counters["states/level"] = states / std::max(levels, 1);
    state.counters["ms/level"] = 1000 * seconds / std::max(levels, 1);
  }
};

// The whole pack one level after the other.
void BM_SolvePack(benchmark::State& state) {
  std::vector<std::unique_ptr<CLevel>> levels;
  for (const std::string& path : PackLevels()) {
    levels.push_back(std::make_unique<CLevel>());
    levels.back()->Load(path.c_str());
  }
  for (auto _ : state) {
    Totals totals;
    for (const auto& level : levels) {
      totals.Solve(*level, SolverOptions());
    }
    totals.Report(state);
    state.counters["levels"] = static_cast<double>(levels.size());
  }
}
BENCHMARK(BM_SolvePack)->Unit(benchmark::kSecond)->MeasureProcessCPUTime();

// A benchmark for each level of the list, by its name; run from the source
// directory.
const bool PACK_REGISTERED = [] {
  for (const std::string& path : PackLevels()) {
    const std::string name = path.substr(path.rfind('/') + 1);
    benchmark::RegisterBenchmark(("BM_SolvePackLevel/" + name).c_str(), SolvePackLevel, path, false)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("BM_SolvePackLevelByMoves/" + name).c_str(), SolvePackLevel, path,
                                 true)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

// `count` generated rooms of up to `columns` x `rows` squares with `boxes`
// boxes, from the generator seeded with `seed`, each with a limit of 10 s: how
// many are solved with proven fewest pushes, the share within `quickSeconds`
// (the counter `quickName`), the slowest room, the largest tables and the
// states per second. Times are processor time, which other work on a shared
// machine does not stretch.
void SolveRooms(benchmark::State& state, unsigned seed, int columns, int rows, int boxes,
                double quickSeconds, const char* quickName, bool fewestMoves = true) {
  const int count = static_cast<int>(state.range(0));
  std::vector<std::unique_ptr<CLevel>> levels;
  std::vector<std::string> squares(count);
  std::mt19937 random(seed);
  for (int i = 0; i < count; i++) {
    levels.push_back(std::make_unique<CLevel>());
    ClassicRoom(&random, columns, rows, boxes, levels.back().get(), &squares[i]);
  }
  SolverOptions options;
  options.seconds = 10;
  options.fewestMoves = fewestMoves;
  for (auto _ : state) {
    Totals totals;
    totals.quickSeconds = quickSeconds;
    for (const auto& level : levels) {
      totals.Solve(*level, options);
    }
    totals.Report(state);
    state.counters[quickName] = totals.quick / static_cast<double>(count);
    state.counters["slowest_s"] = totals.slowest;
    state.counters["total_s"] = totals.seconds;
    state.SetLabel("slowest room:\n" + squares[totals.slowestIndex]);
  }
}

// A thousand rooms of up to 10 x 10 squares with four boxes, with the
// default solve and with the push search alone: what the fewest moves cost.
void BM_SolveClassicRooms(benchmark::State& state) {
  SolveRooms(state, 1, 10, 10, 4, 0.1, "within0.1s", state.range(1) != 0);
}
BENCHMARK(BM_SolveClassicRooms)
    ->Args({1000, 1})
    ->Args({1000, 0})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// A hundred rooms of up to 12 x 10 squares, the whole board, with six boxes,
// and twenty with seven and eight to see how far the solver goes.
void BM_SolveWholeBoardRooms(benchmark::State& state) {
  const int boxes = static_cast<int>(state.range(1));
  SolveRooms(state, boxes, 12, 10, boxes, 1, "within1s");
}
BENCHMARK(BM_SolveWholeBoardRooms)
    ->Args({100, 6})
    ->Args({20, 7})
    ->Args({20, 8})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
