// levelfile.cpp: the layout of level files, and converting them to and from
// their text picture.
#include "board/levelfile.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "board/level.h"

namespace {

// Indexed by kind.
const char CELL_CHARACTERS[] = ".@_#$o";
const int CELL_KINDS = sizeof CELL_CHARACTERS - 1;

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

// The header lines of a text level; -1 for what they leave out.
struct TextHeader {
  int boxCount = -1;
  int hero[2] = {-1, -1};
  std::string info[INFO_TEXT_COUNT];
  bool infoSeen[INFO_TEXT_COUNT] = {};
};

// Reads the header lines from `*line` up to the "objects" line or the end.
bool ParseHeaderLines(const std::vector<std::string>& lines, size_t* line, TextHeader* header,
                      std::string* error) {
  for (; *line < lines.size() && lines[*line] != "objects"; (*line)++) {
    const std::string& text = lines[*line];
    const size_t space = text.find(' ');
    const std::string key = text.substr(0, space);
    const std::string value = space == std::string::npos ? "" : text.substr(space + 1);
    const bool isInfo = key.size() == 5 && key.compare(0, 4, "info") == 0 && key[4] >= '1' &&
                        key[4] < '1' + INFO_TEXT_COUNT;
    const int infoIndex = isInfo ? key[4] - '1' : 0;
    std::string fault;
    if (key == "boxes") {
      if (header->boxCount >= 0 || !ParseBytes(value, &header->boxCount, 1)) {
        fault = "expected one boxes line with a number 0 to 255";
      }
    } else if (key == "hero") {
      if (header->hero[0] >= 0 || !ParseBytes(value, header->hero, 2)) {
        fault = "expected one hero line with a column and a row, each 0 to 255";
      }
    } else if (isInfo) {
      if (header->infoSeen[infoIndex] ||
          static_cast<int>(value.size()) > INFO_TEXT_LIMITS[infoIndex]) {
        fault = "expected one " + key + " line with at most " +
                std::to_string(INFO_TEXT_LIMITS[infoIndex]) + " bytes of text";
      }
      header->infoSeen[infoIndex] = true;
      header->info[infoIndex] = value;
    } else {
      fault = "expected boxes, hero, info1 to info5 or objects";
    }
    if (!fault.empty()) {
      *error = LineName(*line) + ": " + fault + " but found '" + text + "'";
      return false;
    }
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

// The text of a level whose bytes are known good: header lines only where
// the layers do not already say the same.
std::string LevelText(const LevelHeader& header, const std::string (&info)[INFO_TEXT_COUNT],
                      const std::string& objects, const std::string& ground) {
  int boxes = 0;
  int heroes = 0;
  for (char kind : objects) {
    boxes += kind == TILE_BOX;
    heroes += kind == TILE_HERO;
  }
  const bool heroFound = heroes == 1 && header.heroX < BOARD_COLUMNS && header.heroY < BOARD_ROWS &&
                         objects[header.heroY * BOARD_COLUMNS + header.heroX] == TILE_HERO;

  std::string text;
  if (header.boxCount != boxes) {
    text += "boxes " + std::to_string(header.boxCount) + "\n";
  }
  if (!heroFound) {
    text += "hero " + std::to_string(header.heroX) + " " + std::to_string(header.heroY) + "\n";
  }
  for (int index = 0; index < INFO_TEXT_COUNT; index++) {
    if (!info[index].empty()) {
      text += "info" + std::to_string(index + 1) + " " + info[index] + "\n";
    }
  }
  text += "objects\n";
  AppendLayer(objects, &text);
  text += "ground\n";
  AppendLayer(ground, &text);
  return text;
}

}  // namespace

LevelHeader ReadLevelHeader(const std::string& bytes) {
  LevelHeader header;
  header.headerHeld = bytes.size() >= LEVEL_HEADER_SIZE;
  header.rightMagic = bytes.compare(0, LEVEL_MAGIC_SIZE, LEVEL_MAGIC) == 0;
  auto byteAt = [&](size_t offset) {
    return offset < bytes.size() ? static_cast<unsigned char>(bytes[offset]) : 0;
  };
  header.heroX = byteAt(LEVEL_MAGIC_SIZE);
  header.heroY = byteAt(LEVEL_MAGIC_SIZE + 1);
  header.boxCount = byteAt(LEVEL_MAGIC_SIZE + 2);
  size_t offset = LEVEL_HEADER_SIZE;
  for (int index = 0; index < INFO_TEXT_COUNT; index++) {
    const int length = static_cast<signed char>(byteAt(LEVEL_MAGIC_SIZE + 3 + index));
    header.infoLength[index] = length;
    header.infoAt[index] = offset;
    offset += std::max(length, 0);
  }
  header.objectsAt = offset;
  header.groundAt = offset + LEVEL_LAYER_SIZE;
  header.size = header.groundAt + LEVEL_LAYER_SIZE;
  return header;
}

bool StartsAsLevelFile(const std::string& bytes) {
  const size_t compared = std::min(bytes.size(), LEVEL_MAGIC_SIZE);
  return bytes.compare(0, compared, LEVEL_MAGIC, compared) == 0;
}

std::string LineName(size_t index) {
  return "line " + std::to_string(index + 1);
}

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
  TextHeader header;
  size_t line = 0;
  if (!ParseHeaderLines(lines, &line, &header, error)) {
    return false;
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

  int* const hero = header.hero;
  if (hero[0] < 0) {
    int heroes = 0;
    for (size_t cell = 0; cell < LEVEL_LAYER_SIZE; cell++) {
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
  if (header.boxCount < 0) {
    header.boxCount = 0;
    for (char kind : objects) {
      header.boxCount += kind == TILE_BOX;
    }
  }

  *bytes = LEVEL_MAGIC;
  *bytes += static_cast<char>(hero[0]);
  *bytes += static_cast<char>(hero[1]);
  *bytes += static_cast<char>(header.boxCount);
  for (const std::string& text : header.info) {
    *bytes += static_cast<char>(text.size());
  }
  for (const std::string& text : header.info) {
    *bytes += text;
  }
  *bytes += objects;
  *bytes += ground;
  return true;
}

bool LevelBytesToText(const std::string& bytes, std::string* text, std::string* error) {
  const LevelHeader header = ReadLevelHeader(bytes);
  if (!header.headerHeld) {
    *error = "expected at least " + std::to_string(LEVEL_HEADER_SIZE) + " bytes but found " +
             std::to_string(bytes.size());
    return false;
  }
  if (!header.rightMagic) {
    *error = "expected the magic '" + std::string(LEVEL_MAGIC) + "' but found '" +
             bytes.substr(0, LEVEL_MAGIC_SIZE) + "'";
    return false;
  }
  std::string info[INFO_TEXT_COUNT];
  for (int index = 0; index < INFO_TEXT_COUNT; index++) {
    const int length = header.infoLength[index];
    if (!header.InfoLengthFits(index)) {
      *error = "info text " + std::to_string(index + 1) + ": expected a length of 0 to " +
               std::to_string(INFO_TEXT_LIMITS[index]) + " but found " + std::to_string(length);
      return false;
    }
    info[index] = bytes.substr(std::min(header.infoAt[index], bytes.size()), length);
    // A text line cannot hold a line feed, nor end in a carriage return.
    if (info[index].find('\n') != std::string::npos ||
        (!info[index].empty() && info[index].back() == '\r')) {
      *error = "info text " + std::to_string(index + 1) + " holds a line end";
      return false;
    }
  }
  if (bytes.size() != header.size) {
    *error = "expected " + std::to_string(header.size) + " bytes but found " +
             std::to_string(bytes.size());
    return false;
  }
  for (size_t cell = 0; cell < 2 * LEVEL_LAYER_SIZE; cell++) {
    const unsigned char kind = bytes[header.objectsAt + cell];
    if (kind >= CELL_KINDS) {
      *error = std::string(cell < LEVEL_LAYER_SIZE ? "object" : "ground") + " layer, column " +
               std::to_string(cell % LEVEL_LAYER_SIZE % BOARD_COLUMNS) + ", row " +
               std::to_string(cell % LEVEL_LAYER_SIZE / BOARD_COLUMNS) +
               ": expected a kind of 0 to 5 but found " + std::to_string(kind);
      return false;
    }
  }
  *text = LevelText(header, info, bytes.substr(header.objectsAt, LEVEL_LAYER_SIZE),
                    bytes.substr(header.groundAt, LEVEL_LAYER_SIZE));
  return true;
}
