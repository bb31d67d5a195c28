// levelfile_test.cpp: text levels to level files and back.
#include "board/levelfile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/board_text.h"

namespace {

const std::string ROOM =
    BoardText({{0, 0, '#'}, {2, 2, '@'}, {4, 2, '$'}}, {{2, 2, '_'}, {4, 2, 'o'}});

TEST(LevelFileTest, ATextBuildsTheLevelFileItPicturesAndShowsBackTheSame) {
  const std::string bytes = LevelBytes(ROOM);
  ASSERT_EQ(bytes.size(), 1026u);
  // Magic, the hero's column and row found in the picture, one box, no info.
  EXPECT_EQ(bytes.substr(0, 26), std::string("VELM LEVEL PUZZLE \2\2\1\0\0\0\0\0", 26));
  EXPECT_EQ(bytes[26 + 0], TILE_WALL);
  EXPECT_EQ(bytes[26 + 2 * 25 + 4], TILE_BOX);
  EXPECT_EQ(bytes[526 + 2 * 25 + 2], TILE_FLOOR);
  EXPECT_EQ(bytes[526 + 2 * 25 + 4], TILE_PLACE);

  // Header lines stay only where the picture does not say the same, in order.
  for (const std::string& header :
       {std::string(), std::string("boxes 3\nhero 30 2\ninfo1 First room\ninfo5 by us\n")}) {
    std::string text;
    std::string error;
    EXPECT_TRUE(LevelBytesToText(LevelBytes(header + ROOM), &text, &error)) << error;
    EXPECT_EQ(text, header + ROOM);
  }
  EXPECT_EQ(LevelBytes("info5 by us\nboxes 3\n" + ROOM),
            LevelBytes("boxes 3\ninfo5 by us\n" + ROOM));
}

TEST(LevelFileTest, ATextThatIsNoLevelSaysWhereAndWhat) {
  const std::pair<std::string, std::string> cases[] = {
      {ROOM.substr(0, 8) + ROOM.substr(9), "line 2: expected 25 cells but found 24"},
      {"objects\nx" + ROOM.substr(9), "line 2, column 0: expected one of .@_#$o but found 'x'"},
      {BoardText({{1, 1, '@'}, {5, 5, '@'}}),
       "expected one '@' in the object layer but found 2; a hero line says where the hero stands"},
      {"title Room\n" + ROOM,
       "line 1: expected boxes, hero, info1 to info5 or objects but found 'title Room'"},
      {ROOM.substr(0, ROOM.find("ground")), "expected the line 'ground' but the text ends"}};
  for (const auto& scene : cases) {
    SCOPED_TRACE(scene.second);
    std::string bytes;
    std::string error;
    EXPECT_FALSE(LevelTextToBytes(scene.first, &bytes, &error));
    EXPECT_EQ(error, scene.second);
  }
}

TEST(LevelFileTest, ShowRefusesBytesThatNoTextBuilds) {
  const std::string bytes = LevelBytes(ROOM);
  std::string magic = bytes;
  magic[0] = 'W';
  std::string kind = bytes;
  kind[526 + 25 + 3] = 9;
  std::string length = bytes;
  length[23] = -2;
  const std::pair<std::string, std::string> cases[] = {
      {magic, "expected the magic 'VELM LEVEL PUZZLE ' but found 'WELM LEVEL PUZZLE '"},
      {kind, "ground layer, column 3, row 1: expected a kind of 0 to 5 but found 9"},
      {length, "info text 3: expected a length of 0 to 50 but found -2"},
      {bytes + "x", "expected 1026 bytes but found 1027"},
      {bytes.substr(0, 20), "expected at least 26 bytes but found 20"}};
  for (const auto& scene : cases) {
    SCOPED_TRACE(scene.second);
    std::string text;
    std::string error;
    EXPECT_FALSE(LevelBytesToText(scene.first, &text, &error));
    EXPECT_EQ(error, scene.second);
  }
}

}  // namespace
