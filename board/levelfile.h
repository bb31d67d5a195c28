// levelfile.h: where the parts of a level file lie, and level files as text,
// a readable picture of the board.
//
// A text level is a few header lines, then the object layer and the ground
// layer, each as 20 lines of 25 characters, one per cell, the character giving
// the kind of the tile anchored there:
//
//   .  nothing      @  hero       _  floor
//   #  wall         $  box        o  place
//
// Both layers use the same characters, so every kind 0 to 5 can be written in
// either layer. The layout, line by line:
//
//   boxes N          optional: the box count; the number of '$' when left out
//   hero C R         optional: the hero's anchor column and row; the one '@'
//                    of the object layer when left out
//   info1 TEXT       optional, info1 to info5: the info texts, everything after
//                    the first space (at most 30, 127, 50, 50, 50 bytes)
//   objects
//   20 lines of 25 cells
//   ground
//   20 lines of 25 cells
//
// Header lines come in any order, each at most once. LevelBytesToText writes
// them in the order above and only where the layers do not already say the
// same, and the text it writes builds back to the same bytes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "board/level.h"

// The first 18 bytes of every level file.
const char LEVEL_MAGIC[] = "VELM LEVEL PUZZLE ";
const size_t LEVEL_MAGIC_SIZE = sizeof LEVEL_MAGIC - 1;
// The magic, the hero's column and row, the box count and five info lengths.
const size_t LEVEL_HEADER_SIZE = LEVEL_MAGIC_SIZE + 8;
// One kind byte a cell, row by row.
const size_t LEVEL_LAYER_SIZE = BOARD_ROWS * BOARD_COLUMNS;
// The info texts: how many, and the longest text each length byte can give
// and its buffer can hold.
const int INFO_TEXT_COUNT = 5;
const int INFO_TEXT_LIMITS[INFO_TEXT_COUNT] = {30, 127, 50, 50, 50};
// The most bytes a level file can need: the header, five info texts of the
// largest count a length byte gives, and both layers. A reader that takes
// this many and one more knows whether a file is longer than a level.
const size_t LEVEL_FILE_MAX_BYTES =
    LEVEL_HEADER_SIZE + INFO_TEXT_COUNT * 127 + 2 * LEVEL_LAYER_SIZE;

// Where the parts of a level file lie, as its header says. The info texts
// follow the header one after the other and the two layers follow them. A
// negative length is read as no text at all, as the game reads it; a length
// too large for its text's buffer still counts in full.
struct LevelHeader {
  bool headerHeld = false;  // the bytes hold the whole header
  bool rightMagic = false;  // they begin with the magic
  // Values of the header bytes; those past the end of the bytes are 0.
  int heroX = 0;
  int heroY = 0;
  int boxCount = 0;
  int infoLength[INFO_TEXT_COUNT] = {};  // signed, as the game reads them
  size_t infoAt[INFO_TEXT_COUNT] = {};
  size_t objectsAt = 0;
  size_t groundAt = 0;
  size_t size = 0;  // of the whole level, up to the end of its ground layer

  // True when info text `index` has a length of 0 up to its limit.
  bool InfoLengthFits(int index) const {
    return infoLength[index] >= 0 && infoLength[index] <= INFO_TEXT_LIMITS[index];
  }
};

LevelHeader ReadLevelHeader(const std::string& bytes);

// True when `bytes` begin with the magic or, being shorter, with a piece of
// it; a level file cut inside its magic still passes.
bool StartsAsLevelFile(const std::string& bytes);

// "line N" for the line at `index`, counting from 0, as messages about a text
// level name it.
std::string LineName(size_t index);

// The lines of a text, split at line feeds. An empty line counts, but the end
// of the text after a final line feed is no line: n lines give n entries
// whether or not the last one ends with a line feed. Text levels and the level
// pack's list are read this way.
std::vector<std::string> SplitLines(const std::string& text);

// Builds the bytes of a level file from a text level. False when the text is
// not a level; `error` then says where and what.
bool LevelTextToBytes(const std::string& text, std::string* bytes, std::string* error);

// Writes the bytes of a level file as a text level. False for bytes that no
// text builds (a wrong magic, kinds of 6 or more, info lengths outside their
// ranges, a file that is short or has bytes after its ground layer); `error`
// then says which.
bool LevelBytesToText(const std::string& bytes, std::string* text, std::string* error);
