// levelfile.cpp: converting level files to and from their text picture.
#include "board/levelfile.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "board/level.h"

namespace {

// Indexed by kind.
const char CELL_CHARACTERS[] = ".@_#$o";
const int CELL_KINDS = sizeof CELL_CHARACTERS - 1;
const int MAGIC_SIZE = sizeof LEVEL_MAGIC - 1;
const int HEADER_SIZE = MAGIC_SIZE + 8;
const int LAYER_SIZE = BOARD_ROWS * BOARD_COLUMNS;

std::string LineName(size_t index) {
  return "line " + std::to_string(index + 1);
}

// Reads whole numbers 0 to 255 from `text` into `values`; false unless
// exactly that many are there.
bool ParseBytes(const std::string& text, int* values, int count) {
  std::istringstream stream(text);
  for (int i = 0; i < count; i++) {
    if (!(stream >> values[i]) || values[i] < 0 || values[i] > 255) {
      return false;
    }
  }
  std::string rest;
  return !(stream >> rest);
}

// Reads 20 lines of cells, starting at `*line`, into `layer` as kind bytes.
bool ParseLayer(const std::vector<std::string>& lines, size_t* line, std::string* layer,
                std::string* error) {
  for (int row = 0; row < BOARD_ROWS; row++, (*line)++) {
    if (*line >= lines.size()) {
      *error = "expected 20 rows of cells but the text ends after " + std::to_string(row);
      return false;
    }
    const std::string& cells = lines[*line];
    if (cells.size() != BOARD_COLUMNS) {
      *error = LineName(*line) + ": expected 25 cells but found " + std::to_string(cells.size());
      return false;
    }
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const char* kind = strchr(CELL_CHARACTERS, cells[column]);
      if (!kind || cells[column] == '\0') {
        *error = LineName(*line) + ", column " + std::to_string(column) + ": expected one of " +
                 CELL_CHARACTERS + " but found '" + cells[column] + "'";
        return false;
      }
      *layer += static_cast<char>(kind - CELL_CHARACTERS);
    }
  }
  return true;
}

bool ExpectLine(const std::vector<std::string>& lines, size_t line, const std::string& expected,
                std::string* error) {
  if (line >= lines.size()) {
    *error = "expected the line '" + expected + "' but the text ends";
    return false;
  }
  if (lines[line] != expected) {
    *error = LineName(line) + ": expected '" + expected + "' but found '" + lines[line] + "'";
    return false;
  }
  return true;
}

void AppendLayer(const std::string& kinds, std::string* text) {
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      *text += CELL_CHARACTERS[static_cast<int>(kinds[row * BOARD_COLUMNS + column])];
    }
    *text += '\n';
  }
}

}  // namespace

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool LevelTextToBytes(const std::string& text, std::string* bytes, std::string* error) {
  // Lines may end with CR LF, as editors on some systems write them; no line
  // ends with a carriage return that counts.
  std::vector<std::string> lines = SplitLines(text);
  for (std::string& line : lines) {
    while (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
  }
  int boxCount = -1;
  int hero[2] = {-1, -1};
  std::string info[INFO_TEXT_COUNT];
  bool infoSeen[INFO_TEXT_COUNT] = {};

  size_t line = 0;
  for (; line < lines.size() && lines[line] != "objects"; line++) {
    const size_t space = lines[line].find(' ');
    const std::string key = lines[line].substr(0, space);
    const std::string value = space == std::string::npos ? "" : lines[line].substr(space + 1);
    const bool isInfo = key.size() == 5 && key.compare(0, 4, "info") == 0 && key[4] >= '1' &&
                        key[4] < '1' + INFO_TEXT_COUNT;
    const int infoIndex = isInfo ? key[4] - '1' : 0;
    std::string fault;
    if (key == "boxes") {
      if (boxCount >= 0 || !ParseBytes(value, &boxCount, 1)) {
        fault = "expected one boxes line with a number 0 to 255";
      }
    } else if (key == "hero") {
      if (hero[0] >= 0 || !ParseBytes(value, hero, 2)) {
        fault = "expected one hero line with a column and a row, each 0 to 255";
      }
    } else if (isInfo) {
      if (infoSeen[infoIndex] || static_cast<int>(value.size()) > INFO_TEXT_LIMITS[infoIndex]) {
        fault = "expected one " + key + " line with at most " +
                std::to_string(INFO_TEXT_LIMITS[infoIndex]) + " bytes of text";
      }
      infoSeen[infoIndex] = true;
      info[infoIndex] = value;
    } else {
      fault = "expected boxes, hero, info1 to info5 or objects";
    }
    if (!fault.empty()) {
      *error = LineName(line) + ": " + fault + " but found '" + lines[line] + "'";
      return false;
    }
  }

  std::string objects;
  std::string ground;
  if (!ExpectLine(lines, line++, "objects", error) || !ParseLayer(lines, &line, &objects, error) ||
      !ExpectLine(lines, line++, "ground", error) || !ParseLayer(lines, &line, &ground, error)) {
    return false;
  }
  if (line < lines.size()) {
    *error = LineName(line) + ": expected the end of the text after the ground layer";
    return false;
  }

  if (hero[0] < 0) {
    int heroes = 0;
    for (int cell = 0; cell < LAYER_SIZE; cell++) {
      if (objects[cell] == TILE_HERO) {
        heroes++;
        hero[0] = cell % BOARD_COLUMNS;
        hero[1] = cell / BOARD_COLUMNS;
      }
    }
    if (heroes != 1) {
      *error = "expected one '@' in the object layer but found " + std::to_string(heroes) +
               "; a hero line says where the hero stands";
      return false;
    }
  }
  if (boxCount < 0) {
    boxCount = 0;
    for (char kind : objects) {
      boxCount += kind == TILE_BOX;
    }
  }

  *bytes = LEVEL_MAGIC;
  *bytes += static_cast<char>(hero[0]);
  *bytes += static_cast<char>(hero[1]);
  *bytes += static_cast<char>(boxCount);
  for (const std::string& text : info) {
    *bytes += static_cast<char>(text.size());
  }
  for (const std::string& text : info) {
    *bytes += text;
  }
  *bytes += objects;
  *bytes += ground;
  return true;
}

bool LevelBytesToText(const std::string& bytes, std::string* text, std::string* error) {
  if (bytes.size() < HEADER_SIZE) {
    *error = "expected at least 26 bytes but found " + std::to_string(bytes.size());
    return false;
  }
  if (bytes.compare(0, MAGIC_SIZE, LEVEL_MAGIC) != 0) {
    *error = "expected the magic '" + std::string(LEVEL_MAGIC) + "' but found '" +
             bytes.substr(0, MAGIC_SIZE) + "'";
    return false;
  }
  const unsigned char heroColumn = bytes[MAGIC_SIZE];
  const unsigned char heroRow = bytes[MAGIC_SIZE + 1];
  const unsigned char boxCount = bytes[MAGIC_SIZE + 2];
  size_t offset = HEADER_SIZE;
  std::string info[INFO_TEXT_COUNT];
  for (int index = 0; index < INFO_TEXT_COUNT; index++) {
    const int length = static_cast<signed char>(bytes[MAGIC_SIZE + 3 + index]);
    if (length < 0 || length > INFO_TEXT_LIMITS[index]) {
      *error = "info text " + std::to_string(index + 1) + ": expected a length of 0 to " +
               std::to_string(INFO_TEXT_LIMITS[index]) + " but found " + std::to_string(length);
      return false;
    }
    info[index] = bytes.substr(std::min(offset, bytes.size()), length);
    offset += length;
    // A text line cannot hold a line feed, nor end in a carriage return.
    if (info[index].find('\n') != std::string::npos ||
        (!info[index].empty() && info[index].back() == '\r')) {
      *error = "info text " + std::to_string(index + 1) + " holds a line end";
      return false;
    }
  }
  if (bytes.size() != offset + 2 * LAYER_SIZE) {
    *error = "expected " + std::to_string(offset + 2 * LAYER_SIZE) + " bytes but found " +
             std::to_string(bytes.size());
    return false;
  }
  const std::string objects = bytes.substr(offset, LAYER_SIZE);
  const std::string ground = bytes.substr(offset + LAYER_SIZE, LAYER_SIZE);
  for (size_t cell = 0; cell < 2 * LAYER_SIZE; cell++) {
    const unsigned char kind = bytes[offset + cell];
    if (kind >= CELL_KINDS) {
      *error = std::string(cell < LAYER_SIZE ? "object" : "ground") + " layer, column " +
               std::to_string(cell % LAYER_SIZE % BOARD_COLUMNS) + ", row " +
               std::to_string(cell % LAYER_SIZE / BOARD_COLUMNS) +
               ": expected a kind of 0 to 5 but found " + std::to_string(kind);
      return false;
    }
  }

  int boxes = 0;
  int heroes = 0;
  for (char kind : objects) {
    boxes += kind == TILE_BOX;
    heroes += kind == TILE_HERO;
  }
  const bool heroFound = heroes == 1 && heroColumn < BOARD_COLUMNS && heroRow < BOARD_ROWS &&
                         objects[heroRow * BOARD_COLUMNS + heroColumn] == TILE_HERO;

  text->clear();
  if (boxCount != boxes) {
    *text += "boxes " + std::to_string(boxCount) + "\n";
  }
  if (!heroFound) {
    *text += "hero " + std::to_string(heroColumn) + " " + std::to_string(heroRow) + "\n";
  }
  for (int index = 0; index < INFO_TEXT_COUNT; index++) {
    if (!info[index].empty()) {
      *text += "info" + std::to_string(index + 1) + " " + info[index] + "\n";
    }
  }
  *text += "objects\n";
  AppendLayer(objects, text);
  *text += "ground\n";
  AppendLayer(ground, text);
  return true;
}
