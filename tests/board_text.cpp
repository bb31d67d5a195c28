// board_text.cpp: test boards placed cell by cell and described as text.
#include "tests/board_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "board/levelfile.h"
#include "tests/support.h"

namespace {

std::string Layer(const std::vector<Cell>& cells) {
  std::string layer;
  for (int row = 0; row < BOARD_ROWS; row++) {
    layer += std::string(BOARD_COLUMNS, '.') + "\n";
  }
  for (const Cell& cell : cells) {
    layer.at(cell.row * (BOARD_COLUMNS + 1) + cell.column) = cell.what;
  }
  return layer;
}

}  // namespace

std::string BoardText(const std::vector<Cell>& objects, const std::vector<Cell>& ground,
                      const std::string& header) {
  return header + "objects\n" + Layer(objects) + "ground\n" + Layer(ground);
}

std::string LevelBytes(const std::string& text) {
  std::string bytes;
  std::string error;
  EXPECT_TRUE(LevelTextToBytes(text, &bytes, &error)) << error;
  return bytes;
}

void LoadBoardText(CLevel* board, const std::string& text) {
  const std::string path = WriteTempFile("board.lev", LevelBytes(text));
  EXPECT_EQ(Output([&] { board->Load(path.c_str()); }), "Load Level '" + path + "'... OK\n");
}

std::string Counters(const CLevel& board) {
  std::ostringstream out;
  out << "hero " << +board.heroX << "," << +board.heroY << " moves " << board.moveCount
      << " pushes " << board.pushCount << " journal " << board.undoCount;
  for (int index = 0; index < std::min(board.undoCount, UNDO_CAPACITY); index++) {
    const UndoEntry& entry = board.undoJournal[index];
    out << " (" << entry.direction << " " << entry.heroDirection << " " << entry.boxX << " "
        << entry.boxY << ")";
  }
  return out.str();
}

std::string Describe(const Tile& tile) {
  std::ostringstream out;
  out << "kind " << tile.kind << " at " << tile.x << "," << tile.y << " size " << tile.w << "x"
      << tile.h << " speed " << tile.speed << " row " << tile.row << " frame " << tile.frame;
  if (tile.kind == TILE_HERO || tile.moving) {
    out << " direction " << tile.direction;
  }
  if (tile.moving) {
    out << " gliding to " << tile.destX << "," << tile.destY;
  }
  return out.str();
}

std::string Describe(const CLevel& board) {
  std::ostringstream out;
  out << Counters(board) << " boxes " << +board.boxCount << " lengths";
  for (int length : board.infoLength) {
    out << " " << length;
  }
  for (const auto* layer : {board.objectLayer, board.groundLayer}) {
    for (int row = 0; row < BOARD_ROWS; row++) {
      for (int column = 0; column < BOARD_COLUMNS; column++) {
        if (layer[row][column].kind != TILE_NONE || layer[row][column].moving) {
          out << "\n" << column << "," << row << " " << Describe(layer[row][column]);
        }
      }
    }
  }
  return out.str();
}
