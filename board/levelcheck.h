// levelcheck.h: every fault of a level that a player would meet, found before
// anyone plays it.
//
// The checks read the level as the game loads it and judge it by the game's
// own rules: the header and the layers as CLevel::Load takes them, kinds by
// the layer they belong to, 2 x 2 bodies on the grid, the hero's free steps as
// CLevel::Move takes them and completion as CLevel::CheckComplete counts it.
#pragma once

#include <string>
#include <vector>

// One fault and where it lies.
struct LevelProblem {
  enum Where {
    IN_FILE,     // the file as a whole: magic, length, the level as a whole
    IN_HERO,     // the hero's anchor in the header; the cell holds it
    IN_BOXES,    // the box count in the header
    IN_INFO,     // an info length; `column` holds the text's index, 0 to 4
    IN_OBJECTS,  // the object-layer cell at `column`, `row`
    IN_GROUND,   // the ground-layer cell at `column`, `row`
  };
  Where where = IN_FILE;
  int column = 0;
  int row = 0;
  std::string what;
};

// The faults of the bytes of a level file, in the order a reader meets them;
// none for a clean level. Bytes too short to hold both layers give the
// faults of the header and the length and no more.
std::vector<LevelProblem> CheckLevelBytes(const std::string& bytes);

// The faults of a file's contents, a level file or a text level, one line of
// text each saying where and what: "line L, column C: ..." in a text, whose
// columns count from 0 as the board's do, and "object layer, column C, row R:
// ..." in a level file. A text that is no level gives the one line that says
// why. None for a clean level.
std::vector<std::string> CheckLevelContents(const std::string& contents);

// The lines of `problems`, faults of the level that `contents` holds, told as
// CheckLevelContents tells its own.
std::vector<std::string> DescribeLevelProblems(const std::string& contents,
                                               const std::vector<LevelProblem>& problems);
