// levelfile_test.cpp: text levels to level files and back.
#include "board/levelfile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/board_text.h"

namespace {

const char ROOM[] = R"(
#.#.#.#
.......
#.@.$.#
.......
#.#.#.#
)";
const char ROOM_GROUND[] = R"(
.......
.......
.._.o..
)";

std::string Show(const std::string& bytes) {
  std::string text;
  std::string error;
  EXPECT_TRUE(LevelBytesToText(bytes, &text, &error)) << error;
  return text;
}

// The error of a text that does not build.
std::string BuildError(const std::string& text) {
  std::string bytes;
  std::string error;
  EXPECT_FALSE(LevelTextToBytes(text, &bytes, &error));
  return error;
}

// The error of bytes that do not show.
std::string ShowError(const std::string& bytes) {
  std::string text;
  std::string error;
  EXPECT_FALSE(LevelBytesToText(bytes, &text, &error));
  return error;
}

TEST(LevelFileTest, ATextBuildsTheLevelFileItPictures) {
  const std::string bytes = LevelBytes(BoardText(ROOM, ROOM_GROUND));

  ASSERT_EQ(bytes.size(), 1026u);
  EXPECT_EQ(bytes.substr(0, 18), "VELM LEVEL PUZZLE ");
  EXPECT_EQ(bytes[18], 2);  // the hero's column and row, found in the picture
  EXPECT_EQ(bytes[19], 2);
  EXPECT_EQ(bytes[20], 1);  // one box
  EXPECT_EQ(bytes.substr(21, 5), std::string(5, '\0'));
  EXPECT_EQ(bytes[26 + 0], TILE_WALL);
  EXPECT_EQ(bytes[26 + 2 * 25 + 4], TILE_BOX);
  EXPECT_EQ(bytes[526 + 2 * 25 + 2], TILE_FLOOR);
  EXPECT_EQ(bytes[526 + 2 * 25 + 4], TILE_PLACE);
}

TEST(LevelFileTest, ShowGivesBackTheTextThatBuiltTheFile) {
  const std::string plain = BoardText(ROOM, ROOM_GROUND);
  EXPECT_EQ(Show(LevelBytes(plain)), plain);

  // Header lines stay where the picture does not say the same.
  const std::string headed =
      "boxes 3\nhero 30 2\ninfo1 First room\ninfo5 by us\n" + BoardText(ROOM, ROOM_GROUND);
  const std::string bytes = LevelBytes(headed);
  EXPECT_EQ(bytes[18], 30);
  EXPECT_EQ(bytes[20], 3);
  EXPECT_EQ(bytes.substr(21, 5), std::string("\x0a\0\0\0\x05", 5));
  EXPECT_EQ(Show(bytes), headed);
}

TEST(LevelFileTest, HeaderLinesMayComeInAnyOrder) {
  const std::string bytes = LevelBytes("info2 x\nhero 2 2\n" + BoardText(ROOM));
  EXPECT_EQ(Show(bytes), "info2 x\n" + BoardText(ROOM));
}

TEST(LevelFileTest, ATextThatIsNoLevelSaysWhereAndWhat) {
  const std::string room = BoardText(ROOM);
  std::string shortRow = room;
  shortRow.erase(shortRow.find("#.@"), 1);
  EXPECT_EQ(BuildError(shortRow), "line 4: expected 25 cells but found 24");

  std::string oddCell = room;
  oddCell[oddCell.find("#.@") + 1] = 'x';
  EXPECT_EQ(BuildError(oddCell), "line 4, column 1: expected one of .@_#$o but found 'x'");

  EXPECT_EQ(BuildError(BoardText("")),
            "expected one '@' in the object layer but found 0; a hero line says where the hero "
            "stands");
  EXPECT_EQ(BuildError(BoardText("@.@")),
            "expected one '@' in the object layer but found 2; a hero line says where the hero "
            "stands");
  EXPECT_EQ(BuildError("hero 1 1\nhero 2 2\n" + room),
            "line 2: expected one hero line with a column and a row, each 0 to 255 but found "
            "'hero 2 2'");
  EXPECT_EQ(BuildError("boxes 256\n" + room),
            "line 1: expected one boxes line with a number 0 to 255 but found 'boxes 256'");
  EXPECT_EQ(BuildError("info1 " + std::string(31, 'a') + "\n" + room),
            "line 1: expected one info1 line with at most 30 bytes of text but found 'info1 " +
                std::string(31, 'a') + "'");
  EXPECT_EQ(BuildError("title Room\n" + room),
            "line 1: expected boxes, hero, info1 to info5 or objects but found 'title Room'");
  EXPECT_EQ(BuildError(room.substr(0, room.find("ground"))),
            "expected the line 'ground' but the text ends");
  EXPECT_EQ(BuildError(room + "\n"),
            "line 43: expected the end of the text after the ground layer");
}

TEST(LevelFileTest, ShowRefusesBytesThatNoTextBuilds) {
  const std::string bytes = LevelBytes(BoardText(ROOM));

  std::string magic = bytes;
  magic[0] = 'W';
  EXPECT_EQ(ShowError(magic),
            "expected the magic 'VELM LEVEL PUZZLE ' but found 'WELM LEVEL PUZZLE '");
  std::string kind = bytes;
  kind[526 + 25 + 3] = 9;
  EXPECT_EQ(ShowError(kind),
            "ground layer, column 3, row 1: expected a kind of 0 to 5 but found 9");
  std::string length = bytes;
  length[23] = -2;
  EXPECT_EQ(ShowError(length), "info text 3: expected a length of 0 to 50 but found -2");
  EXPECT_EQ(ShowError(bytes + "x"), "expected 1026 bytes but found 1027");
  EXPECT_EQ(ShowError(bytes.substr(0, 1025)), "expected 1026 bytes but found 1025");
  EXPECT_EQ(ShowError(bytes.substr(0, 20)), "expected at least 26 bytes but found 20");
}

}  // namespace
