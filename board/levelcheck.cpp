// levelcheck.cpp: finding the faults of a level by the game's own rules.
#include "board/levelcheck.h"

#include <algorithm>
#include <cstring>
#include <deque>

#include "board/grid.h"
#include "board/levelfile.h"
#include "board/levelread.h"

namespace {

const int HEADER_SIZE = 26;
const int LAYER_SIZE = BOARD_ROWS * BOARD_COLUMNS;
const char* const KIND_NAMES[] = {"nothing", "hero", "floor", "wall", "box", "place"};

using Layer = unsigned char[BOARD_ROWS][BOARD_COLUMNS];

std::string CellName(int column, int row) {
  return "(column " + std::to_string(column) + ", row " + std::to_string(row) + ")";
}

bool OnGrid(int column, int row) {
  return column >= 0 && column < BOARD_COLUMNS && row >= 0 && row < BOARD_ROWS;
}

// The level as the checks see it: the header and both layers' kind bytes.
struct Board {
  int heroX = 0;
  int heroY = 0;
  int boxCount = 0;
  Layer objects = {};
  Layer ground = {};
  // Cells that a floor or a place anchored at them or half a tile up or left
  // covers.
  bool floored[BOARD_ROWS][BOARD_COLUMNS] = {};
};

class Checker {
 public:
  explicit Checker(std::vector<LevelProblem>* problems) : problems_(problems) {}

  void Add(LevelProblem::Where where, int column, int row, const std::string& what) {
    problems_->push_back({where, column, row, what});
  }

  // Reads the header and the layers; false when the layers are not all there.
  bool ReadBytes(const std::string& bytes, Board* board);
  void CheckKinds(const Board& board);
  void CheckHero(const Board& board);
  void CheckBodies(const Board& board);
  void CheckCounts(const Board& board);
  void CheckFloors(const Board& board);
  void CheckRoom(const Board& board);

 private:
  std::vector<LevelProblem>* problems_;
};

bool Checker::ReadBytes(const std::string& bytes, Board* board) {
  if (bytes.size() < HEADER_SIZE) {
    Add(LevelProblem::IN_FILE, 0, 0,
        "the file ends after " + std::to_string(bytes.size()) + " bytes, inside the header");
    return false;
  }
  if (bytes.compare(0, strlen(LEVEL_MAGIC), LEVEL_MAGIC) != 0) {
    Add(LevelProblem::IN_FILE, 0, 0,
        "wrong magic: expected '" + std::string(LEVEL_MAGIC) + "' at the start");
  }
  board->heroX = static_cast<unsigned char>(bytes[18]);
  board->heroY = static_cast<unsigned char>(bytes[19]);
  board->boxCount = static_cast<unsigned char>(bytes[20]);
  // The game takes nothing for a negative count and passes over the whole of a
  // count too large for its buffer, so the layers lie after the positive counts.
  size_t layersAt = HEADER_SIZE;
  for (int index = 0; index < INFO_TEXT_COUNT; index++) {
    const int length = static_cast<signed char>(bytes[21 + index]);
    if (length < 0 || length > INFO_TEXT_LIMITS[index]) {
      Add(LevelProblem::IN_INFO, index, 0,
          "info text " + std::to_string(index + 1) + " has a length of " + std::to_string(length) +
              ", outside 0 to " + std::to_string(INFO_TEXT_LIMITS[index]));
    }
    layersAt += std::max(length, 0);
  }
  const size_t size = layersAt + 2 * LAYER_SIZE;
  if (bytes.size() < size) {
    Add(LevelProblem::IN_FILE, 0, 0,
        "the file ends after " + std::to_string(bytes.size()) + " bytes, inside the layers of a " +
            std::to_string(size) + "-byte level");
    return false;
  }
  if (bytes.size() > size) {
    Add(LevelProblem::IN_FILE, 0, 0,
        std::to_string(bytes.size() - size) + " bytes after the ground layer of a " +
            std::to_string(size) + "-byte level");
  }
  memcpy(board->objects, bytes.data() + layersAt, LAYER_SIZE);
  memcpy(board->ground, bytes.data() + layersAt + LAYER_SIZE, LAYER_SIZE);
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const int kind = board->ground[row][column];
      if (kind != TILE_FLOOR && kind != TILE_PLACE) {
        continue;
      }
      for (int cell = 0; cell < 4; cell++) {
        if (OnGrid(column + cell % 2, row + cell / 2)) {
          board->floored[row + cell / 2][column + cell % 2] = true;
        }
      }
    }
  }
  return true;
}

void Checker::CheckKinds(const Board& board) {
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const int object = board.objects[row][column];
      if (object == TILE_FLOOR || object > TILE_BOX) {
        Add(LevelProblem::IN_OBJECTS, column, row,
            "kind " + std::to_string(object) + " does not belong in the object layer");
      }
      const int ground = board.ground[row][column];
      if (ground != TILE_NONE && ground != TILE_FLOOR && ground != TILE_PLACE) {
        Add(LevelProblem::IN_GROUND, column, row,
            "kind " + std::to_string(ground) + " does not belong in the ground layer");
      }
    }
  }
}

void Checker::CheckHero(const Board& board) {
  int heroes = 0;
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      heroes += board.objects[row][column] == TILE_HERO;
    }
  }
  if (!IsAnchorOnBoard(board.heroX, board.heroY)) {
    Add(LevelProblem::IN_HERO, board.heroX, board.heroY,
        "the hero's anchor " + CellName(board.heroX, board.heroY) +
            " lies outside columns 0-23 and rows 0-18");
  } else if (heroes > 0 && board.objects[board.heroY][board.heroX] != TILE_HERO) {
    Add(LevelProblem::IN_HERO, board.heroX, board.heroY,
        "no hero stands at the hero's anchor " + CellName(board.heroX, board.heroY));
  }
  if (heroes == 0) {
    Add(LevelProblem::IN_HERO, board.heroX, board.heroY, "the object layer holds no hero");
  }
  // Every hero but the one at the anchor (or but the first, when none is
  // there) is one too many.
  bool heroAtAnchor =
      OnGrid(board.heroX, board.heroY) && board.objects[board.heroY][board.heroX] == TILE_HERO;
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      if (board.objects[row][column] != TILE_HERO ||
          (column == board.heroX && row == board.heroY)) {
        continue;
      }
      if (heroAtAnchor) {
        Add(LevelProblem::IN_OBJECTS, column, row, "a second hero");
      }
      heroAtAnchor = true;
    }
  }
}

bool IsObject(int kind) {
  return kind == TILE_HERO || kind == TILE_WALL || kind == TILE_BOX;
}

void Checker::CheckBodies(const Board& board) {
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const int kind = board.objects[row][column];
      if (!IsObject(kind)) {
        continue;
      }
      if (!IsAnchorOnBoard(column, row)) {
        Add(LevelProblem::IN_OBJECTS, column, row,
            std::string(KIND_NAMES[kind]) + " reaches off the board");
      }
      // Each overlapping pair is told once, at the later of the two anchors.
      const int earlier[][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}};
      for (const auto& offset : earlier) {
        const int otherColumn = column + offset[0];
        const int otherRow = row + offset[1];
        if (OnGrid(otherColumn, otherRow) && IsObject(board.objects[otherRow][otherColumn])) {
          Add(LevelProblem::IN_OBJECTS, column, row,
              std::string(KIND_NAMES[kind]) + " overlaps the " +
                  KIND_NAMES[board.objects[otherRow][otherColumn]] + " at " +
                  CellName(otherColumn, otherRow));
        }
      }
    }
  }
}

void Checker::CheckCounts(const Board& board) {
  int boxes = 0;
  int places = 0;
  int placed = 0;
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const bool box = board.objects[row][column] == TILE_BOX;
      const bool place = board.ground[row][column] == TILE_PLACE;
      boxes += box;
      places += place;
      placed += box && place;
    }
  }
  const std::string count = "the box count is " + std::to_string(board.boxCount);
  if (board.boxCount == 0) {
    Add(LevelProblem::IN_BOXES, 0, 0, count + ", so no push is ever needed");
    return;
  }
  if (boxes < board.boxCount) {
    Add(LevelProblem::IN_BOXES, 0, 0, count + " but there are " + std::to_string(boxes) + " boxes");
  }
  if (places < board.boxCount) {
    Add(LevelProblem::IN_BOXES, 0, 0,
        count + " but there are " + std::to_string(places) + " places");
  }
  if (placed == board.boxCount) {
    Add(LevelProblem::IN_FILE, 0, 0, "the level is solved at the start");
  }
}

// True when all four cells of the body anchored at (column, row) have floor.
bool BodyFloored(const Board& board, int column, int row) {
  for (int cell = 0; cell < 4; cell++) {
    const int x = column + cell % 2;
    const int y = row + cell / 2;
    if (!OnGrid(x, y) || !board.floored[y][x]) {
      return false;
    }
  }
  return true;
}

void Checker::CheckFloors(const Board& board) {
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      if (board.objects[row][column] == TILE_BOX && !BodyFloored(board, column, row)) {
        Add(LevelProblem::IN_OBJECTS, column, row, "box stands on no floor");
      }
    }
  }
}

// Walks the hero through every anchor it can reach with boxes pushed out of
// its way, stepping as CLevel::Move does: a step is free when the new body
// overlaps no object. Walls and objects of any other kind stay put.
void Checker::CheckRoom(const Board& board) {
  if (!IsAnchorOnBoard(board.heroX, board.heroY) ||
      board.objects[board.heroY][board.heroX] != TILE_HERO) {
    return;
  }
  auto standsFast = [&](int column, int row) {
    if (!OnGrid(column, row) || (column == board.heroX && row == board.heroY)) {
      return false;
    }
    const int kind = board.objects[row][column];
    return kind != TILE_NONE && kind != TILE_BOX;
  };
  auto bodyFree = [&](int column, int row) {
    for (int y = row - 1; y <= row + 1; y++) {
      for (int x = column - 1; x <= column + 1; x++) {
        if (standsFast(x, y)) {
          return false;
        }
      }
    }
    return true;
  };

  bool reached[BOARD_ROWS][BOARD_COLUMNS] = {};
  std::deque<std::pair<int, int>> queue = {{board.heroX, board.heroY}};
  reached[board.heroY][board.heroX] = true;
  bool unflooredSeen = false;
  bool edgeSeen = false;
  while (!queue.empty()) {
    const auto [column, row] = queue.front();
    queue.pop_front();
    if (!unflooredSeen && !BodyFloored(board, column, row)) {
      unflooredSeen = true;
      for (int cell = 0; cell < 4; cell++) {
        const int x = column + cell % 2;
        const int y = row + cell / 2;
        if (!board.floored[y][x]) {
          Add(LevelProblem::IN_GROUND, x, y,
              "the hero can walk onto " + CellName(x, y) + ", which has no floor");
          break;
        }
      }
    }
    for (int direction : {DIR_UP, DIR_DOWN, DIR_LEFT, DIR_RIGHT}) {
      const CellStep step = StepOf(direction);
      const int x = column + step.dx;
      const int y = row + step.dy;
      if (!bodyFree(x, y)) {
        continue;
      }
      if (!IsAnchorOnBoard(x, y)) {
        // CLevel::Move refuses this step, but nothing walls the room in.
        if (!edgeSeen) {
          edgeSeen = true;
          Add(LevelProblem::IN_OBJECTS, column, row,
              "the hero can walk to the board's edge at " + CellName(column, row) +
                  " with no wall beyond");
        }
        continue;
      }
      if (!reached[y][x]) {
        reached[y][x] = true;
        queue.push_back({x, y});
      }
    }
  }
}

// The line of a text level's header that starts with `key`, or -1.
int HeaderLine(const std::vector<std::string>& lines, const std::string& key) {
  for (size_t line = 0; line < lines.size() && lines[line] != "objects"; line++) {
    if (lines[line].compare(0, key.size() + 1, key + " ") == 0) {
      return static_cast<int>(line);
    }
  }
  return -1;
}

std::string LineName(int line) {
  return "line " + std::to_string(line + 1);
}

std::string LineAndColumn(int line, int column) {
  return LineName(line) + ", column " + std::to_string(column);
}

// Where a problem lies in a text level that builds without fault.
std::string TextLocation(const std::vector<std::string>& lines, const LevelProblem& problem) {
  const int objectsLine =
      static_cast<int>(std::find(lines.begin(), lines.end(), "objects") - lines.begin());
  const int groundLine = objectsLine + BOARD_ROWS + 1;
  switch (problem.where) {
    case LevelProblem::IN_HERO:
      if (HeaderLine(lines, "hero") >= 0) {
        return LineName(HeaderLine(lines, "hero"));
      }
      return LineAndColumn(objectsLine + 1 + problem.row, problem.column);
    case LevelProblem::IN_BOXES:
      return HeaderLine(lines, "boxes") >= 0 ? LineName(HeaderLine(lines, "boxes")) : "";
    case LevelProblem::IN_OBJECTS:
      return LineAndColumn(objectsLine + 1 + problem.row, problem.column);
    case LevelProblem::IN_GROUND:
      return LineAndColumn(groundLine + 1 + problem.row, problem.column);
    default:
      return "";
  }
}

// Where a problem lies in a level file.
std::string BytesLocation(const LevelProblem& problem) {
  const std::string cell =
      "column " + std::to_string(problem.column) + ", row " + std::to_string(problem.row);
  switch (problem.where) {
    case LevelProblem::IN_HERO:
      return "hero";
    case LevelProblem::IN_BOXES:
      return "box count";
    case LevelProblem::IN_INFO:
      return "info length " + std::to_string(problem.column + 1);
    case LevelProblem::IN_OBJECTS:
      return "object layer, " + cell;
    case LevelProblem::IN_GROUND:
      return "ground layer, " + cell;
    default:
      return "";
  }
}

}  // namespace

std::vector<LevelProblem> CheckLevelBytes(const std::string& bytes) {
  std::vector<LevelProblem> problems;
  Checker checker(&problems);
  Board board;
  if (!checker.ReadBytes(bytes, &board)) {
    return problems;
  }
  checker.CheckKinds(board);
  checker.CheckHero(board);
  checker.CheckBodies(board);
  checker.CheckCounts(board);
  checker.CheckFloors(board);
  checker.CheckRoom(board);
  return problems;
}

std::vector<std::string> CheckLevelContents(const std::string& contents) {
  std::string bytes;
  std::string error;
  if (!LevelContentsToBytes(contents, &bytes, &error)) {
    return {error};
  }
  return DescribeLevelProblems(contents, CheckLevelBytes(bytes));
}

std::vector<std::string> DescribeLevelProblems(const std::string& contents,
                                               const std::vector<LevelProblem>& problems) {
  const bool isText = IsLevelText(contents);
  const std::vector<std::string> lines = isText ? SplitLines(contents) : std::vector<std::string>();
  std::vector<std::string> found;
  for (const LevelProblem& problem : problems) {
    const std::string where = isText ? TextLocation(lines, problem) : BytesLocation(problem);
    found.push_back(where.empty() ? problem.what : where + ": " + problem.what);
  }
  return found;
}
