// import_test.cpp: classic plain-text levels become text levels that the
// classic solutions solve with every step taken twice.
#include "board/import.h"

#include <gtest/gtest.h>

#include "board/levelread.h"
#include "board/replay.h"
#include "tests/board_text.h"

namespace {

// Our own rooms, with the kinds of title and comment lines such files hold.
const char ROOMS[] =
    "; my first room\n"
    "#######      \n"
    "#@ $ .#\n"
    "#######\n"
    "\n"
    "; 2\n"
    " #####\n"
    " #.  #\n"
    "##$  #\n"
    "#@ $.#\n"
    "######\n"
    "Title: Two ways\n"
    "Author: me\n"
    "\r\n"
    "Title: A title well beyond thirty bytes long\n"
    "#####\r\n"
    "#+$ #\r\n"
    "# * #\r\n"
    "#___#\r\n"
    "#####\r\n";

struct Solved {
  std::string title;
  std::string solution;  // classic: upper case pushes
};

TEST(Import, EachLevelOfAFileIsSolvedByItsClassicSolutionWithEveryStepTakenTwice) {
  const Solved expected[] = {
      {"my first room", "rRR"},
      {"Two ways", "rRlU"},
      {"A title well beyond thirty", "ddrruuL"},
  };
  const std::vector<ClassicLevel> levels = ParseClassicLevels(ROOMS);
  ASSERT_EQ(levels.size(), std::size(expected));
  for (size_t index = 0; index < levels.size(); index++) {
    SCOPED_TRACE(index + 1);
    const Solved& solved = expected[index];
    std::string text;
    std::string error;
    ASSERT_TRUE(ClassicToLevelText(levels[index], &text, &error)) << error;
    CLevel board;
    ASSERT_TRUE(LoadLevelBytes(LevelBytes(text), &board, &error)) << error;
    EXPECT_EQ(std::string(board.infoText1, board.infoLength[0]), solved.title);

    // Upper case marks the pushes, so both halves of a classic push must push.
    std::string doubled;
    for (char letter : solved.solution) {
      doubled += std::string(2, letter);
    }
    EXPECT_TRUE(ReplayMoves(&board, doubled, &error)) << error;
    EXPECT_TRUE(IsSolved(board));
  }
}

// A walled room of `columns` x `rows` squares with a player, a box and a goal.
std::string Picture(int columns, int rows) {
  const std::string wall(columns, '#');
  std::string picture = wall + "\n#@$." + std::string(columns - 5, ' ') + "#\n";
  for (int row = 2; row < rows - 1; row++) {
    picture += "#" + std::string(columns - 2, ' ') + "#\n";
  }
  return picture + wall + "\n";
}

TEST(Import, PicturesThatMakeNoLevelAreRefusedSayingWhy) {
  const std::pair<std::string, std::string> cases[] = {
      {Picture(12, 10), ""},
      {Picture(13, 3), "level 1 (line 1): 13 x 3 squares, larger than the 12 x 10 the board holds"},
      {Picture(12, 11),
       "level 1 (line 1): 12 x 11 squares, larger than the 12 x 10 the board holds"},
      {"#####\n#@$.#\n#@  #\n#####\n",
       "level 1 (line 1): expected one player, a box and a goal for every box but found 2 "
       "players, 1 boxes and 1 goals"},
      {"#####\n#@$.#\n#   \n#####\n",
       "level 1 (line 1), line 3, column 4: the player can walk out of the walls here"},
      {"#####\n#@* #\n#####\n",
       "level 1 (line 1): the level made of it has a fault: the level is solved at the start"},
  };
  for (const auto& [picture, expected] : cases) {
    SCOPED_TRACE(picture);
    const std::vector<ClassicLevel> levels = ParseClassicLevels(picture);
    ASSERT_EQ(levels.size(), 1u);
    std::string text;
    std::string error;
    EXPECT_EQ(ClassicToLevelText(levels[0], &text, &error), expected.empty());
    EXPECT_EQ(error, expected);
  }
}

TEST(Import, TitlesAreCutPastTheirLimitOnlyAndNeverInsideACharacter) {
  EXPECT_EQ(ShortenTitle("abcdefghijklmnopqrstuvwxyzabc\xc3\xa9", 30),
            "abcdefghijklmnopqrstuvwxyzabc");
  EXPECT_EQ(ShortenTitle("abcdefghijklmnopqrstuvwxy abcd", 30), "abcdefghijklmnopqrstuvwxy abcd");
  EXPECT_EQ(ShortenTitle("abcdefghijklmnopqrstuvwxy abcde", 30), "abcdefghijklmnopqrstuvwxy");
}

}  // namespace
