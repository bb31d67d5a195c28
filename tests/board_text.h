// board_text.h: test boards placed cell by cell, loaded like level files and
// described as text for comparing whole boards.
#pragma once

#include <string>
#include <vector>

#include "board/level.h"

// One cell of a text level: '@' hero, '#' wall, '$' box, '_' floor, 'o' place.
struct Cell {
  int column;
  int row;
  char what;
};

// A text level holding these cells on otherwise empty layers, after `header`
// lines such as "hero 3 4\n".
std::string BoardText(const std::vector<Cell>& objects, const std::vector<Cell>& ground = {},
                      const std::string& header = "");

// The level file bytes of a text level; fails the test when it is not one.
std::string LevelBytes(const std::string& text);

// Loads a text level into `board` through a level file, as the game does.
void LoadBoardText(CLevel* board, const std::string& text);

inline int KindAt(const CLevel& board, int column, int row) {
  return board.objectLayer[row][column].kind;
}

// The hero's anchor, the counters and every entry that can be taken back.
std::string Counters(const CLevel& board);
// What a tile shows: kind, place, frame and picture; its direction only for
// the hero, whose next journal entry records it, or while it glides.
std::string Describe(const Tile& tile);
// Counters, header and every tile that holds something or glides.
std::string Describe(const CLevel& board);
