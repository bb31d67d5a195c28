// board_text.h: test boards drawn as text pictures and loaded like level files.
#pragma once

#include <string>

#include "board/level.h"

// A text level from pictures of the upper-left corners of its object and
// ground layers: lines of cells from column 0, row 0 first, padded with '.' to
// 25 columns and 20 rows. A picture may begin with a line feed, so that a raw
// string literal can start on the line after its quote. `header` lines
// ("hero 3 4\n", "boxes 2\n") come first.
std::string BoardText(const std::string& objects, const std::string& ground = "",
                      const std::string& header = "");

// The level file bytes of a text level; fails the test when it is not one.
std::string LevelBytes(const std::string& text);

// Loads a text level into `board` through a level file, as the game does,
// without its progress line on the test's output.
void LoadBoardText(CLevel* board, const std::string& text);

// Ends every glide on the board at its destination, as enough frames would.
void FinishGlides(CLevel* board);

// The kind of the object-layer tile at a cell.
int KindAt(const CLevel& board, int column, int row);
