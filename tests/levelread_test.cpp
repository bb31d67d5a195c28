// levelread_test.cpp: level files and text levels read alike, quietly, and
// every file that holds no level refused with the reason.
#include "board/levelread.h"

#include <gtest/gtest.h>

#include "tests/board_text.h"
#include "tests/support.h"

namespace {

const std::string ROOM = BoardText({{2, 2, '@'}, {4, 2, '$'}}, {{2, 2, '_'}, {6, 2, 'o'}});

TEST(LevelRead, ALevelFileAndItsTextLoadTheSameBoardWithoutAWord) {
  CLevel fromText;
  CLevel fromFile;
  std::string error;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(ReadLevelFile(WriteTempFile("room.txt", ROOM), &fromText, &error)) << error;
  EXPECT_TRUE(ReadLevelFile(WriteTempFile("room.lev", LevelBytes(ROOM)), &fromFile, &error))
      << error;
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(Describe(fromText), Describe(fromFile));
  EXPECT_EQ(KindAt(fromFile, 4, 2), TILE_BOX);
}

TEST(LevelRead, FilesThatHoldNoLevelAreRefusedAndLeaveTheBoardAlone) {
  std::string damaged = LevelBytes(ROOM);
  damaged[3] = 'X';
  const std::pair<std::string, std::string> cases[] = {
      {WriteTempFile("cutmagic.lev", LevelBytes(ROOM).substr(0, 4)),
       "the file ends after 4 bytes, before its layers do"},
      {WriteTempFile("magic.lev", damaged), "wrong magic: not a level file"},
      {WriteTempFile("bad.txt", "objects\n" + ROOM.substr(8, 26 * 3)),
       "expected 20 rows of cells but the text ends after 3"},
  };
  CLevel board;
  LoadBoardText(&board, BoardText({{8, 8, '@'}}));
  const std::string before = Describe(board);
  for (const auto& [path, expected] : cases) {
    std::string error;
    EXPECT_FALSE(ReadLevelFile(path, &board, &error));
    EXPECT_EQ(error, expected);
    EXPECT_EQ(Describe(board), before);
  }
}

}  // namespace
