// solver_fuzz.cpp: the solver on small levels with a small state limit. Any
// solution it reports must replay through CLevel::Move to a solved board, so
// this tests what it finds, not only how it treats memory.
//
// An input that begins with the level magic is a level file; any other is a
// classic-notation text, whose first level is imported.
#include "board/import.h"
#include "board/levelfile.h"
#include "board/levelread.h"
#include "board/replay.h"
#include "solver/solver.h"

namespace {

// The level file bytes of an input; false when it holds no level.
bool LevelBytes(const std::string& input, std::string* bytes) {
  std::string error;
  if (ReadLevelHeader(input).rightMagic) {
    *bytes = input;
    return true;
  }
  const std::vector<ClassicLevel> classic = ParseClassicLevels(input);
  std::string text;
  return !classic.empty() && ClassicToLevelText(classic[0], &text, &error) &&
         LevelTextToBytes(text, bytes, &error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes;
  std::string error;
  static CLevel level;
  level = CLevel();
  if (!LevelBytes(std::string(reinterpret_cast<const char*>(data), size), &bytes) ||
      !LoadLevelBytes(bytes, &level, &error)) {
    return 0;
  }
  SolverOptions options;
  options.maxStates = 3000;
  // Inputs of an even size take the push search alone, which prunes corrals.
  options.fewestMoves = size % 2 == 1;
  const SolveResult result = SolveLevel(level, options);
  if (result.outcome == SOLVE_SOLVED) {
    static CLevel replayed;
    replayed = level;
    if (!ReplayMoves(&replayed, result.moves, &error) || !IsSolved(replayed)) {
      __builtin_trap();  // the solver reported a solution that does not solve the level
    }
  }
  return 0;
}
