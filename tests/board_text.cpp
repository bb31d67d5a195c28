// board_text.cpp: test boards drawn as text pictures.
#include "tests/board_text.h"

#include <gtest/gtest.h>

#include "board/levelfile.h"
#include "tests/support.h"

namespace {

std::string Layer(const std::string& picture) {
  std::string layer;
  size_t start = picture.compare(0, 1, "\n") == 0 ? 1 : 0;
  for (int row = 0; row < BOARD_ROWS; row++) {
    std::string cells;
    if (start < picture.size()) {
      size_t end = picture.find('\n', start);
      end = end == std::string::npos ? picture.size() : end;
      cells = picture.substr(start, end - start);
      start = end + 1;
    }
    EXPECT_LE(cells.size(), static_cast<size_t>(BOARD_COLUMNS)) << "row " << row;
    cells.resize(BOARD_COLUMNS, '.');
    layer += cells + "\n";
  }
  EXPECT_GE(start, picture.size()) << "more than 20 rows";
  return layer;
}

}  // namespace

std::string BoardText(const std::string& objects, const std::string& ground,
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
  testing::internal::CaptureStdout();
  board->Load(path.c_str());
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Load Level '" + path + "'... OK\n");
}

void FinishGlides(CLevel* board) {
  for (auto& row : board->objectLayer) {
    for (Tile& tile : row) {
      if (tile.moving) {
        tile.x = tile.destX;
        tile.y = tile.destY;
        tile.moving = 0;
        tile.frame = 0;
      }
    }
  }
}

int KindAt(const CLevel& board, int column, int row) {
  return board.objectLayer[row][column].kind;
}
