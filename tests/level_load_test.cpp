// level_load_test.cpp: reading level files into the board.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "board/level.h"
#include "tests/board_text.h"
#include "tests/support.h"

namespace {

// Every field of the board, one line per field or tile, so two boards can be
// compared and the first difference shown.
std::string Snapshot(const CLevel& board) {
  std::ostringstream out;
  out << "hero " << int(board.heroX) << "," << int(board.heroY) << " boxes " << int(board.boxCount)
      << " moves " << board.moveCount << " pushes " << board.pushCount << " journal "
      << board.undoCount << "\n";
  out << "magic " << std::string(board.magic, sizeof board.magic) << "\n";
  for (int length : board.infoLength) {
    out << "length " << length << "\n";
  }
  out << "info " << std::string(board.infoText1, sizeof board.infoText1) << "\n"
      << "info " << std::string(board.infoText2, sizeof board.infoText2) << "\n"
      << "info " << std::string(board.infoText3, sizeof board.infoText3) << "\n"
      << "info " << std::string(board.infoText4, sizeof board.infoText4) << "\n"
      << "info " << std::string(board.infoText5, sizeof board.infoText5) << "\n";
  for (const auto* layer : {board.objectLayer, board.groundLayer}) {
    for (int row = 0; row < BOARD_ROWS; row++) {
      for (const Tile& tile : layer[row]) {
        out << "tile " << tile.x << " " << tile.y << " " << tile.w << " " << tile.h << " "
            << tile.destX << " " << tile.destY << " " << tile.kind << " " << tile.row << " "
            << tile.speed << " " << int(tile.moving) << " " << tile.direction << " " << tile.frame
            << " " << tile.carriedTime << "\n";
      }
    }
  }
  for (const UndoEntry& entry : board.undoJournal) {
    out << "entry " << entry.direction << " " << entry.heroDirection << " " << entry.boxX << " "
        << entry.boxY << "\n";
  }
  return out.str();
}

// "" when both snapshots agree, else their first differing lines.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream a(expected);
  std::istringstream b(actual);
  std::string lineA;
  std::string lineB;
  for (int line = 1; a || b; line++) {
    lineA.clear();
    lineB.clear();
    std::getline(a, lineA);
    std::getline(b, lineB);
    if (lineA != lineB) {
      return "line " + std::to_string(line) + ": expected '" + lineA + "' but was '" + lineB + "'";
    }
  }
  return "";
}

// A small walled room: hero at (4, 4), a box at (6, 4), a place at (8, 4).
const char ROOM[] = R"(
#.#.#.#.#.#.#
.............
#...........#
.............
#...@.$.....#
.............
#...........#
.............
#.#.#.#.#.#.#
)";
const char ROOM_GROUND[] = R"(
.............
.............
.._._._._._..
.............
.._._._.o._..
.............
.._._._._._..
)";

// A second level: the hero alone at (2, 2).
const char LONE_HERO[] = R"(
.....
.....
..@..
)";

const int HEADER_SIZE = 26;
const int LENGTHS_AT = 21;

class LevelLoadTest : public testing::Test {
 protected:
  // Loads `bytes` from a file and returns what the loader printed.
  std::string Load(const std::string& bytes) {
    WriteTempFile("level.lev", bytes);
    testing::internal::CaptureStdout();
    board.Load(path.c_str());
    return testing::internal::GetCapturedStdout();
  }
  std::string Ok() const { return "Load Level '" + path + "'... OK\n"; }
  std::string Error(const std::string& what) const {
    return "ERROR Load Level '" + path + "': " + what + "\n";
  }
  // The room, loaded and played one push to the right, so that counters and
  // journal hold something.
  void GivenAPlayedRoom() {
    LoadBoardText(&board, BoardText(ROOM, ROOM_GROUND));
    ASSERT_TRUE(board.Move(DIR_RIGHT));
  }

  const std::string room = LevelBytes(BoardText(ROOM, ROOM_GROUND));
  const std::string path = WriteTempFile("level.lev", "");
  CLevel board;
};

TEST_F(LevelLoadTest, AFreshBoardIsEmptyAndMovesNothing) {
  for (int code : {DIR_UP, DIR_DOWN, DIR_LEFT, DIR_RIGHT}) {
    EXPECT_FALSE(board.Move(code));
  }
  EXPECT_EQ(board.heroX, 0);
  EXPECT_EQ(board.heroY, 0);
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      EXPECT_EQ(board.objectLayer[row][column].kind, TILE_NONE);
      EXPECT_EQ(board.groundLayer[row][column].moving, 0);
    }
  }
}

TEST_F(LevelLoadTest, AFileOfExactLengthLoadsWithOnlyTheOkLine) {
  ASSERT_EQ(room.size(), 1026u);

  EXPECT_EQ(Load(room), Ok());

  EXPECT_EQ(board.heroX, 4);
  EXPECT_EQ(board.heroY, 4);
  EXPECT_EQ(board.boxCount, 1);
  const Tile& box = board.objectLayer[4][6];
  EXPECT_EQ(box.kind, TILE_BOX);
  EXPECT_EQ(box.x, 130);
  EXPECT_EQ(box.y, 82);
  EXPECT_EQ(box.w, 62);
  EXPECT_EQ(box.h, 62);
  EXPECT_EQ(box.moving, 0);
  EXPECT_EQ(board.objectLayer[4][4].row, 1);  // the hero faces down
  const Tile& place = board.groundLayer[4][8];
  EXPECT_EQ(place.kind, TILE_PLACE);
  EXPECT_EQ(place.x, 192);
  EXPECT_EQ(place.y, 96);
  EXPECT_EQ(place.w, 48);
  EXPECT_EQ(board.groundLayer[19][24].kind, TILE_NONE);
  EXPECT_EQ(board.groundLayer[19][24].x, 576);
}

TEST_F(LevelLoadTest, InfoTextsPutTheLayersFurtherOn) {
  const std::string bytes = LevelBytes("info1 Up and over\ninfo3 me\n" + BoardText(ROOM));
  ASSERT_EQ(bytes.size(), 1026u + 13);

  EXPECT_EQ(Load(bytes), Ok());

  EXPECT_EQ(std::string(board.infoText1, 11), "Up and over");
  EXPECT_EQ(std::string(board.infoText3, 2), "me");
  EXPECT_EQ(board.infoLength[0], 11);
  EXPECT_EQ(board.infoLength[1], 0);
  EXPECT_EQ(board.infoLength[2], 2);
  EXPECT_EQ(board.objectLayer[4][6].kind, TILE_BOX);
}

TEST_F(LevelLoadTest, AFileThatEndsEarlyLeavesTheWholeBoardAsItWas) {
  GivenAPlayedRoom();
  const std::string before = Snapshot(board);
  const std::string lone = LevelBytes(BoardText(LONE_HERO, "__"));

  // One byte short, inside the object layer, and inside the header.
  for (size_t size : {lone.size() - 1, size_t{600}, size_t{20}}) {
    SCOPED_TRACE(size);
    EXPECT_EQ(Load(lone.substr(0, size)), Error("wrong file lenght"));
    EXPECT_EQ(FirstDifference(before, Snapshot(board)), "");
  }
}

TEST_F(LevelLoadTest, AFileThatCannotBeOpenedLeavesTheBoardAsItWas) {
  GivenAPlayedRoom();
  const std::string before = Snapshot(board);
  testing::internal::CaptureStdout();
  board.Load("/nonexistent/level.lev");
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "ERROR Load Level '/nonexistent/level.lev': can't open file\n");
  EXPECT_EQ(FirstDifference(before, Snapshot(board)), "");
}

TEST_F(LevelLoadTest, AWrongMagicIsReportedAndTheLevelLoadsAllTheSame) {
  std::string bytes = room;
  bytes.replace(0, 4, "MLEV");

  EXPECT_EQ(Load(bytes), Error("wrong file format") + Ok());

  EXPECT_EQ(std::string(board.magic, 4), "MLEV");
  EXPECT_TRUE(board.Move(DIR_RIGHT));
}

TEST_F(LevelLoadTest, OnlyTheMagicDecidesTheFormatMessage) {
  // Long info texts from the level before must not spill into the check.
  std::string bytes = LevelBytes("info1 " + std::string(30, 'x') + "\n" + BoardText(ROOM));
  EXPECT_EQ(Load(bytes), Ok());
  EXPECT_EQ(Load(room), Ok());
  EXPECT_EQ(Load(room), Ok());
}

TEST_F(LevelLoadTest, BytesAfterTheGroundLayerChangeNothing) {
  EXPECT_EQ(Load(room), Ok());
  const std::string plain = Snapshot(board);
  CLevel fresh;
  board = fresh;

  EXPECT_EQ(Load(room + "\x04\x04 trailing bytes"), Ok());

  EXPECT_EQ(FirstDifference(plain, Snapshot(board)), "");
}

TEST_F(LevelLoadTest, InfoTextsOfFullLengthStayInsideTheirBuffers) {
  memset(board.infoText2, '~', sizeof board.infoText2);
  const std::string bytes =
      LevelBytes("info1 " + std::string(30, '1') + "\ninfo2 " + std::string(127, '2') + "\ninfo3 " +
                 std::string(50, '3') + "\ninfo4 " + std::string(50, '4') + "\ninfo5 " +
                 std::string(50, '5') + "\n" + BoardText(ROOM));

  EXPECT_EQ(Load(bytes), Ok());

  EXPECT_EQ(std::string(board.infoText1, 30), std::string(30, '1'));
  EXPECT_EQ(std::string(board.infoText2, 255), std::string(127, '2') + std::string(128, '~'));
  EXPECT_EQ(std::string(board.infoText3, 50), std::string(50, '3'));
  EXPECT_EQ(std::string(board.infoText4, 50), std::string(50, '4'));
  EXPECT_EQ(std::string(board.infoText5, 50), std::string(50, '5'));
  EXPECT_EQ(board.heroX, 4);
  EXPECT_EQ(board.objectLayer[4][6].kind, TILE_BOX);
}

TEST_F(LevelLoadTest, ALengthBeyondItsBufferFillsItAndSkipsTheRest) {
  memset(board.infoText2, '~', sizeof board.infoText2);
  memset(board.infoText4, '~', sizeof board.infoText4);
  std::string bytes = room;
  bytes[LENGTHS_AT] = 100;
  bytes[LENGTHS_AT + 2] = 127;
  bytes.insert(HEADER_SIZE, std::string(100, 'a') + std::string(127, 'c'));

  EXPECT_EQ(Load(bytes), Ok());

  EXPECT_EQ(std::string(board.infoText1, 30), std::string(30, 'a'));
  EXPECT_EQ(std::string(board.infoText3, 50), std::string(50, 'c'));
  EXPECT_EQ(std::string(board.infoText2, 255), std::string(255, '~'));
  EXPECT_EQ(std::string(board.infoText4, 50), std::string(50, '~'));
  EXPECT_EQ(board.heroX, 4);
  EXPECT_EQ(board.objectLayer[4][6].kind, TILE_BOX);
  EXPECT_EQ(board.groundLayer[4][8].kind, TILE_PLACE);
}

TEST_F(LevelLoadTest, ANegativeLengthReadsAndSkipsNothing) {
  memset(board.infoText2, '~', sizeof board.infoText2);
  std::string bytes = room;
  bytes[LENGTHS_AT + 1] = -1;
  bytes[LENGTHS_AT + 3] = -128;
  bytes[LENGTHS_AT + 4] = 3;
  bytes.insert(HEADER_SIZE, "eee");

  EXPECT_EQ(Load(bytes), Ok());

  EXPECT_EQ(board.infoLength[1], -1);
  EXPECT_EQ(std::string(board.infoText2, 255), std::string(255, '~'));
  EXPECT_EQ(std::string(board.infoText5, 3), "eee");
  EXPECT_EQ(board.objectLayer[4][6].kind, TILE_BOX);
}

TEST_F(LevelLoadTest, KindsOfSixOrMoreAreStoredUnchanged) {
  std::string bytes = room;
  bytes[HEADER_SIZE + 0] = 6;
  bytes[HEADER_SIZE + 1] = static_cast<char>(255);
  bytes[HEADER_SIZE + 500 + 24] = static_cast<char>(200);

  EXPECT_EQ(Load(bytes), Ok());

  EXPECT_EQ(board.objectLayer[0][0].kind, 6);
  EXPECT_EQ(board.objectLayer[0][1].kind, 255);
  EXPECT_EQ(board.groundLayer[0][24].kind, 200);
}

TEST_F(LevelLoadTest, ACompleteLoadResetsTheCountersButKeepsJournalEntries) {
  GivenAPlayedRoom();
  ASSERT_EQ(board.moveCount, 1);

  EXPECT_EQ(Load(LevelBytes(BoardText(LONE_HERO))), Ok());

  EXPECT_EQ(board.moveCount, 0);
  EXPECT_EQ(board.pushCount, 0);
  EXPECT_EQ(board.undoCount, 0);
  EXPECT_EQ(board.undoJournal[0].direction, DIR_RIGHT);
  EXPECT_EQ(board.undoJournal[0].boxX, 6);
  EXPECT_EQ(board.heroX, 2);
  EXPECT_EQ(board.objectLayer[4][6].kind, TILE_NONE);  // the room's box is gone
}

}  // namespace
