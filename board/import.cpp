// import.cpp: classic plain-text levels made into text levels.
#include "board/import.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "board/level.h"
#include "board/levelcheck.h"
#include "board/levelfile.h"

namespace {

const char SQUARE_CHARACTERS[] = "#$.@*+ -_";
const size_t TITLE_LIMIT = 30;

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) {
    return "";
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsPictureLine(const std::string& line) {
  return line.find('#') != std::string::npos &&
         line.find_first_not_of(SQUARE_CHARACTERS) == std::string::npos;
}

// The title of a "Title: ..." line, in any case; false for other lines.
bool TitleOf(const std::string& line, std::string* title) {
  const std::string key = "title:";
  if (line.size() < key.size()) {
    return false;
  }
  for (size_t i = 0; i < key.size(); i++) {
    if (tolower(static_cast<unsigned char>(line[i])) != key[i]) {
      return false;
    }
  }
  *title = Trim(line.substr(key.size()));
  return true;
}

// True for a "Key: value" note such as "Author: ...", which names no level.
bool IsNote(const std::string& line) {
  const size_t colon = line.find(':');
  return colon != std::string::npos && colon > 0 && line.find_first_of(" \t") > colon;
}

// A classic picture as a grid: squares past the end of a short row are floor.
struct Picture {
  explicit Picture(const ClassicLevel& level) : lines(level.rows) {
    rows = static_cast<int>(lines.size());
    for (const std::string& line : lines) {
      columns = std::max(columns, static_cast<int>(line.size()));
    }
  }
  char Square(int column, int row) const {
    const std::string& line = lines[row];
    return column < static_cast<int>(line.size()) ? line[column] : ' ';
  }
  const std::vector<std::string>& lines;
  int columns = 0;
  int rows = 0;
};

struct SquareCounts {
  int players = 0;
  int boxes = 0;
  int goals = 0;
  int playerColumn = 0;  // of the last player found
  int playerRow = 0;
};

SquareCounts CountSquares(const Picture& picture) {
  SquareCounts counts;
  for (int row = 0; row < picture.rows; row++) {
    for (int column = 0; column < picture.columns; column++) {
      const char what = picture.Square(column, row);
      if (what == '@' || what == '+') {
        counts.players++;
        counts.playerColumn = column;
        counts.playerRow = row;
      }
      counts.boxes += what == '$' || what == '*';
      counts.goals += what == '.' || what == '*' || what == '+';
    }
  }
  return counts;
}

// Marks in `floored` the squares the player reaches from (column, row), boxes
// pushed aside. False, with the square it leaves from, when the player can
// walk off the picture.
bool FloodFloors(const Picture& picture, int column, int row,
                 std::vector<std::vector<bool>>* floored, int* escapeColumn, int* escapeRow) {
  floored->assign(picture.rows, std::vector<bool>(picture.columns, false));
  std::vector<std::pair<int, int>> open = {{column, row}};
  (*floored)[row][column] = true;
  while (!open.empty()) {
    const auto [atColumn, atRow] = open.back();
    open.pop_back();
    const int steps[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    for (const auto& step : steps) {
      const int x = atColumn + step[0];
      const int y = atRow + step[1];
      if (x < 0 || x >= picture.columns || y < 0 || y >= picture.rows) {
        *escapeColumn = atColumn;
        *escapeRow = atRow;
        return false;
      }
      if (!(*floored)[y][x] && picture.Square(x, y) != '#') {
        (*floored)[y][x] = true;
        open.push_back({x, y});
      }
    }
  }
  return true;
}

// The text level: square (c, r) becomes the tiles anchored at cell (2c, 2r).
std::string LayersText(const Picture& picture, const std::vector<std::vector<bool>>& floored,
                       const std::string& title) {
  std::string objects[BOARD_ROWS];
  std::string ground[BOARD_ROWS];
  for (int row = 0; row < BOARD_ROWS; row++) {
    objects[row] = ground[row] = std::string(BOARD_COLUMNS, '.');
  }
  for (int row = 0; row < picture.rows; row++) {
    for (int column = 0; column < picture.columns; column++) {
      const char what = picture.Square(column, row);
      char& object = objects[2 * row][2 * column];
      char& floor = ground[2 * row][2 * column];
      object = what == '#' ? '#' : strchr("$*", what) ? '$' : strchr("@+", what) ? '@' : '.';
      if (strchr(".*+", what)) {
        floor = 'o';
      } else if (floored[row][column] || what == '$' || what == '@') {
        floor = '_';
      }
    }
  }
  std::string text = title.empty() ? "" : "info1 " + title + "\n";
  text += "objects\n";
  for (const std::string& row : objects) {
    text += row + "\n";
  }
  text += "ground\n";
  for (const std::string& row : ground) {
    text += row + "\n";
  }
  return text;
}

}  // namespace

std::vector<ClassicLevel> ParseClassicLevels(const std::string& text) {
  std::vector<ClassicLevel> levels;
  std::string pendingTitle;  // from a "Title:" line before the next picture
  std::string pendingName;   // from the last other line before it
  bool inPicture = false;
  bool inParagraph = false;  // the lines of the latest picture's paragraph
  const std::vector<std::string> lines = SplitLines(text);
  for (size_t index = 0; index < lines.size(); index++) {
    std::string line = lines[index];
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (Trim(line).empty()) {
      inPicture = false;
      inParagraph = false;
      continue;
    }
    if (IsPictureLine(line)) {
      if (!inPicture) {
        ClassicLevel level;
        level.number = static_cast<int>(levels.size()) + 1;
        level.line = static_cast<int>(index);
        level.title = pendingTitle.empty() ? pendingName : pendingTitle;
        levels.push_back(level);
        pendingTitle.clear();
        pendingName.clear();
        inPicture = true;
        inParagraph = true;
      }
      // Spaces after the last wall are no part of the room and would only
      // make it look wider than the board.
      levels.back().rows.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
      continue;
    }
    inPicture = false;
    std::string title;
    if (TitleOf(line, &title)) {
      (inParagraph ? levels.back().title : pendingTitle) = title;
    } else if (!inParagraph && !IsNote(line)) {
      pendingName = Trim(line[0] == ';' ? line.substr(1) : line);
    }
  }
  return levels;
}

std::string ShortenTitle(const std::string& title, size_t limit) {
  if (title.size() <= limit) {
    return title;
  }
  size_t end = limit;
  // Back off from the middle of a UTF-8 character: its later bytes are
  // 10xxxxxx.
  while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80) {
    end--;
  }
  const size_t space = title.rfind(' ', end);
  if (space != std::string::npos && space >= limit * 2 / 3) {
    end = space;
  }
  return Trim(title.substr(0, end));
}

bool ClassicToLevelText(const ClassicLevel& level, std::string* text, std::string* error) {
  const Picture picture(level);
  const std::string name =
      "level " + std::to_string(level.number) + " (line " + std::to_string(level.line + 1) + ")";
  if (picture.columns > CLASSIC_COLUMNS || picture.rows > CLASSIC_ROWS) {
    *error = name + ": " + std::to_string(picture.columns) + " x " + std::to_string(picture.rows) +
             " squares, larger than the " + std::to_string(CLASSIC_COLUMNS) + " x " +
             std::to_string(CLASSIC_ROWS) + " the board holds";
    return false;
  }
  const SquareCounts counts = CountSquares(picture);
  if (counts.players != 1 || counts.boxes == 0 || counts.goals < counts.boxes) {
    *error = name + ": expected one player, a box and a goal for every box but found " +
             std::to_string(counts.players) + " players, " + std::to_string(counts.boxes) +
             " boxes and " + std::to_string(counts.goals) + " goals";
    return false;
  }
  std::vector<std::vector<bool>> floored;
  int escapeColumn = 0;
  int escapeRow = 0;
  if (!FloodFloors(picture, counts.playerColumn, counts.playerRow, &floored, &escapeColumn,
                   &escapeRow)) {
    *error = name + ", line " + std::to_string(level.line + escapeRow + 1) + ", column " +
             std::to_string(escapeColumn) + ": the player can walk out of the walls here";
    return false;
  }
  *text = LayersText(picture, floored, ShortenTitle(level.title, TITLE_LIMIT));
  // What a whole picture can still get wrong here, such as every box on a
  // goal from the start, is what the level check finds.
  const std::vector<std::string> problems = CheckLevelContents(*text);
  if (!problems.empty()) {
    *error = name + ": the level made of it has a fault: " + problems[0];
    return false;
  }
  return true;
}
