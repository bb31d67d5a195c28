// level_load_test.cpp: reading level files into the board.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/board_text.h"
#include "tests/support.h"

namespace {

const int LAYERS_AT = 26;  // without info texts
const int LENGTHS_AT = 21;

class LevelLoadTest : public testing::Test {
 protected:
  // Loads `bytes` from a file and returns what the loader printed.
  std::string Load(const std::string& bytes) {
    WriteTempFile("level.lev", bytes);
    return Output([&] { board.Load(path.c_str()); });
  }
  std::string Ok() const { return "Load Level '" + path + "'... OK\n"; }
  // The room loaded with an info text and played one push to the right, so
  // that counters, journal and info lengths hold something.
  void GivenAPlayedRoom() {
    LoadBoardText(&board, "info1 Played\n" + room);
    ASSERT_TRUE(board.Move(DIR_RIGHT));
  }

  // The hero at (4, 4), a box at (6, 4) and a place at (8, 4), walled left.
  const std::string room = BoardText({{4, 4, '@'}, {6, 4, '$'}, {2, 4, '#'}}, {{8, 4, 'o'}});
  const std::string roomBytes = LevelBytes(room);
  const std::string path = WriteTempFile("level.lev", "");
  CLevel board;
};

TEST_F(LevelLoadTest, ACompleteFileLoadsAndEmptiesCountersAndJournal) {
  GivenAPlayedRoom();
  ASSERT_EQ(roomBytes.size(), 1026u);

  EXPECT_EQ(Load(roomBytes + "\x04\x04 bytes after the layers are not read"), Ok());

  EXPECT_EQ(Counters(board), "hero 4,4 moves 0 pushes 0 journal 0");
  EXPECT_EQ(board.boxCount, 1);
  EXPECT_EQ(Describe(board.objectLayer[4][4]),
            "kind 1 at 82,82 size 62x62 speed 150 row 1 frame 0 direction 0");
  EXPECT_EQ(Describe(board.objectLayer[4][6]),
            "kind 4 at 130,82 size 62x62 speed 150 row 0 frame 0");
  EXPECT_EQ(KindAt(board, 7, 4), TILE_NONE);  // where the box was pushed
  EXPECT_EQ(Describe(board.groundLayer[4][8]),
            "kind 5 at 192,96 size 48x48 speed 150 row 0 frame 0");
}

// A length beyond its buffer fills it and skips the rest of the text; a
// negative one reads and skips nothing. Either way the layers are found.
TEST_F(LevelLoadTest, InfoTextLengthsNeverReachPastTheirBuffers) {
  std::string bytes = roomBytes;
  bytes.replace(LENGTHS_AT, 5, std::string{100, -1, 127, -128, 3});
  bytes.insert(LAYERS_AT, std::string(100, 'a') + std::string(127, 'c') + "eee");
  memset(board.infoText2, '~', sizeof board.infoText2);
  memset(board.infoText4, '~', sizeof board.infoText4);
  memset(board.infoText5, '~', sizeof board.infoText5);

  EXPECT_EQ(Load(bytes), Ok());

  EXPECT_EQ(std::string(board.infoText1, 30), std::string(30, 'a'));
  EXPECT_EQ(std::string(board.infoText2, 255), std::string(255, '~'));
  EXPECT_EQ(std::string(board.infoText3, 50), std::string(50, 'c'));
  EXPECT_EQ(std::string(board.infoText4, 50), std::string(50, '~'));
  EXPECT_EQ(std::string(board.infoText5, 50), "eee" + std::string(47, '~'));
  EXPECT_EQ(Counters(board), "hero 4,4 moves 0 pushes 0 journal 0");
  EXPECT_EQ(KindAt(board, 6, 4), TILE_BOX);
  EXPECT_EQ(board.groundLayer[4][8].kind, TILE_PLACE);
}

// The loader judges the magic as it stores it: bytes a file cut inside its
// magic no longer covers keep the previous level's.
TEST_F(LevelLoadTest, AFileCutInsideItsMagicIsJudgedWithThePreviousMagicsRest) {
  const std::string error = "ERROR Load Level '" + path + "': ";
  EXPECT_EQ(Load("VELM"), error + "wrong file format\n" + error + "wrong file lenght\n");
  GivenAPlayedRoom();
  EXPECT_EQ(Load("VELM"), error + "wrong file lenght\n");
  EXPECT_EQ(Load("VELX"), error + "wrong file format\n" + error + "wrong file lenght\n");
}

}  // namespace
