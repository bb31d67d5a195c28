// levelfile.h: level files as text, a readable picture of the board.
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

#include <string>
#include <vector>

// The first 18 bytes of every level file.
const char LEVEL_MAGIC[] = "VELM LEVEL PUZZLE ";
// The info texts: how many, and the longest text each length byte can give
// and its buffer can hold.
const int INFO_TEXT_COUNT = 5;
const int INFO_TEXT_LIMITS[INFO_TEXT_COUNT] = {30, 127, 50, 50, 50};

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
