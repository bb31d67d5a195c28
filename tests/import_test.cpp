// import_test.cpp: classic plain-text levels become text levels that the
// classic solutions solve with every step taken twice.
#include "board/import.h"

#include <gtest/gtest.h>

#include <cctype>

#include "board/levelread.h"
#include "tests/board_text.h"

namespace {

// Our own rooms, with the kinds of title and comment lines such files hold.
const char ROOMS[] =
    "; my first room\n"
    "Title: Straight\n"
    "#######\n"
    "#@ $ .#\n"
    "#######\n"
    "\n"
    "; Two ways\n"
    " #####\n"
    " #.  #\n"
    "##$  #\n"
    "#@ $.#\n"
    "######\n"
    "Author: me\n"
    "\r\n"
    "Title: A title well beyond thirty bytes long\n"
    "#####\r\n"
    "#+$ #\r\n"
    "# * #\r\n"
    "#___#\r\n"
    "#####\r\n";

struct Solved {
  int line;
  std::string title;
  std::string solution;  // classic: upper case pushes
};

TEST(Import, EachLevelOfAFileIsSolvedByItsClassicSolutionWithEveryStepTakenTwice) {
  const Solved expected[] = {
      {2, "Straight", "rRR"},
      {7, "Two ways", "rRlU"},
      {15, "A title well beyond thirty", "ddrruuL"},
  };
  const std::vector<ClassicLevel> levels = ParseClassicLevels(ROOMS);
  ASSERT_EQ(levels.size(), std::size(expected));
  for (size_t index = 0; index < levels.size(); index++) {
    SCOPED_TRACE(index + 1);
    const Solved& solved = expected[index];
    EXPECT_EQ(levels[index].number, static_cast<int>(index + 1));
    EXPECT_EQ(levels[index].line, solved.line);
    EXPECT_EQ(levels[index].title.compare(0, solved.title.size(), solved.title), 0);

    std::string text;
    std::string error;
    ASSERT_TRUE(ClassicToLevelText(levels[index], &text, &error)) << error;
    CLevel board;
    ASSERT_TRUE(LoadLevelBytes(LevelBytes(text), &board, &error)) << error;
    EXPECT_EQ(std::string(board.infoText1, board.infoLength[0]), solved.title);

    for (char letter : solved.solution) {
      for (int half = 0; half < 2; half++) {
        const int pushes = board.pushCount;
        ASSERT_TRUE(board.Move(DirectionOf(toupper(letter)))) << letter;
        board.AnimateTiles(1);
        EXPECT_EQ(board.pushCount - pushes, isupper(letter) ? 1 : 0) << letter;
      }
    }
    int placed = 0;
    for (int row = 0; row < BOARD_ROWS; row++) {
      for (int column = 0; column < BOARD_COLUMNS; column++) {
        placed += KindAt(board, column, row) == TILE_BOX &&
                  board.groundLayer[row][column].kind == TILE_PLACE;
      }
    }
    EXPECT_EQ(placed, board.boxCount);
  }
}

TEST(Import, PicturesThatMakeNoLevelAreRefusedSayingWhy) {
  const std::pair<std::string, std::string> cases[] = {
      {"#############\n#@$.        #\n#############\n",
       "level 1 (line 1): 13 x 3 squares, larger than the 12 x 10 the board holds"},
      {"####\n#@$#\n#.##\n#  #\n#  #\n#  #\n#  #\n#  #\n#  #\n#  #\n####\n",
       "level 1 (line 1): 4 x 11 squares, larger than the 12 x 10 the board holds"},
      {"#####\n#@$.#\n#@  #\n#####\n",
       "level 1 (line 1): expected one player, a box and a goal for every box but found 2 "
       "players, 1 boxes and 1 goals"},
      {"; 1\n#####\n#@$$#\n#.  #\n#####\n",
       "level 1 (line 2): expected one player, a box and a goal for every box but found 1 "
       "players, 2 boxes and 1 goals"},
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
    EXPECT_FALSE(ClassicToLevelText(levels[0], &text, &error));
    EXPECT_EQ(error, expected);
  }
}

TEST(Import, TitlesAreCutAtASpaceNearTheEndAndNeverInsideACharacter) {
  const std::pair<std::string, std::string> cases[] = {
      {"Exactly thirty bytes of title!", "Exactly thirty bytes of title!"},
      {"Thirty-one bytes with a space in", "Thirty-one bytes with a space"},
      {"abcdefghijklmnopqrstuvwxyz-12345", "abcdefghijklmnopqrstuvwxyz-123"},
      {"abcdefghijklmnopqrstuvwxyzabc\xc3\xa9", "abcdefghijklmnopqrstuvwxyzabc"},
  };
  for (const auto& [title, expected] : cases) {
    EXPECT_EQ(ShortenTitle(title, 30), expected);
  }
}

}  // namespace
