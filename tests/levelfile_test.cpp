// levelfile_test.cpp: text levels to level files and back.
#include "board/levelfile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/board_text.h"

namespace {

const std::string ROOM =
    BoardText({{0, 0, '#'}, {2, 2, '@'}, {4, 2, '$'}}, {{2, 2, '_'}, {4, 2, 'o'}});

const int INFO_LIMITS[] = {30, 127, 50, 50, 50};

TEST(LevelFileTest, HeaderLinesShowBackOnlyWhereTheLayersDoNotSayTheSame) {
  // The hero found in the picture and one box, as the layers say.
  EXPECT_EQ(LevelBytes(ROOM).substr(0, 26), std::string("VELM LEVEL PUZZLE \2\2\1\0\0\0\0\0", 26));
  // A hero line off the grid, or at a cell without the '@', must stay.
  for (const std::string& header :
       {std::string(), std::string("boxes 0\nhero 30 2\n"), std::string("hero 4 2\ninfo5 by us\n"),
        "info2 " + std::string(127, 'b') + "\n"}) {
    std::string text;
    std::string error;
    EXPECT_TRUE(LevelBytesToText(LevelBytes(header + ROOM), &text, &error)) << error;
    EXPECT_EQ(text, header + ROOM);
  }
}

TEST(LevelFileTest, TheHeaderPlacesTheLayersAfterEveryPositiveLength) {
  std::string bytes = LevelBytes(ROOM);
  bytes[21] = 40;  // past text 1's buffer, yet passed over whole
  bytes[22] = -1;  // no text at all
  bytes[23] = 2;
  const LevelHeader header = ReadLevelHeader(bytes);
  EXPECT_TRUE(header.headerHeld && header.rightMagic);
  EXPECT_EQ(header.infoAt[2], 66u);
  EXPECT_EQ(header.infoAt[3], 68u);
  EXPECT_EQ(header.groundAt, 568u);
  EXPECT_EQ(header.size, 1068u);
  EXPECT_FALSE(header.InfoLengthFits(0) || header.InfoLengthFits(1));
  EXPECT_TRUE(header.InfoLengthFits(2));
  // A file cut inside its magic has no header but still starts as a level file.
  const LevelHeader cut = ReadLevelHeader("VELM LEV");
  EXPECT_FALSE(cut.headerHeld || cut.rightMagic);
  EXPECT_EQ(cut.size, 1026u);
  EXPECT_TRUE(StartsAsLevelFile("VELM LEV"));
  EXPECT_FALSE(StartsAsLevelFile("VELM LEX"));
}

TEST(LevelFileTest, InfoTextsLongerThanTheirBuffersAreRefusedEitherWay) {
  for (int index = 0; index < 5; index++) {
    SCOPED_TRACE(index + 1);
    const std::string key = "info" + std::to_string(index + 1) + " ";
    std::string bytes;
    std::string text;
    std::string error;
    EXPECT_FALSE(LevelTextToBytes(key + std::string(INFO_LIMITS[index] + 1, 'x') + "\n" + ROOM,
                                  &bytes, &error));
    bytes = LevelBytes(key + std::string(INFO_LIMITS[index], 'x') + "\n" + ROOM);
    bytes[21 + index]++;
    bytes.insert(26, "x");
    EXPECT_FALSE(LevelBytesToText(bytes, &text, &error));
  }
}

TEST(LevelFileTest, ATextThatIsNoLevelSaysWhereAndWhat) {
  const std::pair<std::string, std::string> cases[] = {
      {BoardText({{1, 1, '@'}, {5, 5, '@'}}),
       "expected one '@' in the object layer but found 2; a hero line says where the hero stands"},
      {ROOM.substr(0, ROOM.find("ground")), "expected the line 'ground' but the text ends"},
      {"boxes 1\nboxes 1\n" + ROOM,
       "line 2: expected one boxes line with a number 0 to 255 but found 'boxes 1'"},
      {"hero 1 1\nhero 2 2\n" + ROOM,
       "line 2: expected one hero line with a column and a row, each 0 to 255 but found 'hero 2 "
       "2'"},
      {"info2 a\nboxes 1\ninfo2 b\n" + ROOM,
       "line 3: expected one info2 line with at most 127 bytes of text but found 'info2 b'"}};
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
