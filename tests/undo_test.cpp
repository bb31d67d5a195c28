// undo_test.cpp: taking steps back from the undo journal.
#include <gtest/gtest.h>

#include <string>

#include "board/level.h"
#include "tests/board_text.h"

namespace {

// Anchors, counters and every object's picture state; what an undo restores.
std::string Describe(const CLevel& board) {
  std::string text = "hero " + std::to_string(board.heroX) + "," + std::to_string(board.heroY) +
                     " moves " + std::to_string(board.moveCount) + " pushes " +
                     std::to_string(board.pushCount) + " journal " +
                     std::to_string(board.undoCount) + "\n";
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      const Tile& tile = board.objectLayer[row][column];
      if (tile.kind != TILE_NONE) {
        text += std::to_string(tile.kind) + " at " + std::to_string(column) + "," +
                std::to_string(row) + " drawn at " + std::to_string(tile.x) + "," +
                std::to_string(tile.y) + " moving " + std::to_string(tile.moving) + " row " +
                std::to_string(tile.row) + " frame " + std::to_string(tile.frame) + "\n";
      }
    }
  }
  return text;
}

// Hero anchored at (4, 8) with a box two cells to its right.
const char HERO_AND_BOX[] = R"(
..........
..........
..........
..........
..........
..........
..........
..........
....@.$...
)";

// From HERO_AND_BOX: push the box right, walk round it, push it back left
// and walk home. Two pushes in 18 steps, ending where it began.
const char ROUND_TRIP[] = "RDDRRRRUULUULLLLDD";

int Code(char letter) {
  switch (letter) {
    case 'U':
      return DIR_UP;
    case 'D':
      return DIR_DOWN;
    case 'L':
      return DIR_LEFT;
    default:
      return DIR_RIGHT;
  }
}

class UndoTest : public testing::Test {
 protected:
  void SetUp() override { LoadBoardText(&board, BoardText(HERO_AND_BOX)); }
  // Takes `count` steps of the round trip, each glide ended before the next.
  void Walk(int count) {
    for (int step = 0; step < count; step++) {
      const char letter = ROUND_TRIP[step % (sizeof ROUND_TRIP - 1)];
      ASSERT_TRUE(board.Move(Code(letter))) << "step " << step << " " << letter;
      FinishGlides(&board);
    }
  }
  CLevel board;
};

TEST_F(UndoTest, UndoRightAfterLoadingChangesNothing) {
  const std::string loaded = Describe(board);
  board.Undo();
  EXPECT_EQ(Describe(board), loaded);
}

TEST_F(UndoTest, UndoPutsTheHeroBackAtRestFacingDown) {
  board.objectLayer[8][4].direction = DIR_LEFT;
  ASSERT_TRUE(board.Move(DIR_UP));
  FinishGlides(&board);

  board.Undo();

  EXPECT_EQ(board.heroX, 4);
  EXPECT_EQ(board.heroY, 8);
  EXPECT_EQ(KindAt(board, 4, 7), TILE_NONE);
  const Tile& hero = board.objectLayer[8][4];
  EXPECT_EQ(hero.kind, TILE_HERO);
  EXPECT_EQ(hero.x, 82);
  EXPECT_EQ(hero.y, 178);
  EXPECT_EQ(hero.moving, 0);
  EXPECT_EQ(hero.row, 1);
  EXPECT_EQ(hero.frame, 0);
  EXPECT_EQ(hero.direction, DIR_LEFT);
  EXPECT_EQ(board.moveCount, 0);
  EXPECT_EQ(board.undoCount, 0);

  ASSERT_TRUE(board.Move(DIR_RIGHT));  // the next step turns the hero again
  EXPECT_EQ(board.objectLayer[8][5].row, 3);
}

TEST_F(UndoTest, UndoOfAPushPutsTheBoxBackAtOnce) {
  const std::string loaded = Describe(board);
  ASSERT_TRUE(board.Move(DIR_RIGHT));
  ASSERT_EQ(KindAt(board, 7, 8), TILE_BOX);

  // Both glides are still running.
  board.Undo();

  EXPECT_EQ(KindAt(board, 7, 8), TILE_NONE);
  EXPECT_EQ(KindAt(board, 6, 8), TILE_BOX);
  EXPECT_EQ(board.objectLayer[8][6].x, 130);
  EXPECT_EQ(board.moveCount, 0);
  EXPECT_EQ(board.pushCount, 0);
  EXPECT_EQ(Describe(board), loaded);  // no glide left running
}

TEST_F(UndoTest, EachUndoTakesBackOneStepAndNoMore) {
  const std::string loaded = Describe(board);
  ASSERT_TRUE(board.Move(DIR_UP));
  board.Undo();
  EXPECT_EQ(Describe(board), loaded);
  board.Undo();
  EXPECT_EQ(Describe(board), loaded);

  // The next step reuses the entry that the undo gave up.
  ASSERT_TRUE(board.Move(DIR_DOWN));
  EXPECT_EQ(board.undoJournal[0].direction, DIR_DOWN);
  board.Undo();
  EXPECT_EQ(Describe(board), loaded);
  board.Undo();
  EXPECT_EQ(Describe(board), loaded);
}

TEST_F(UndoTest, AFullJournalTakesEveryStepBackToTheLoadedBoard) {
  const std::string loaded = Describe(board);
  Walk(UNDO_CAPACITY - 1);
  ASSERT_EQ(board.moveCount, 1023);
  ASSERT_EQ(board.undoCount, 1023);
  ASSERT_GT(board.pushCount, 100);

  for (int undo = 0; undo < UNDO_CAPACITY - 1; undo++) {
    board.Undo();
  }

  EXPECT_EQ(Describe(board), loaded);
}

TEST_F(UndoTest, AStepBeyondAFullJournalDropsOnlyTheOldestEntry) {
  Walk(1);
  FinishGlides(&board);
  const int heroAfterFirstStep = board.heroX;
  const int boxAfterFirstStep = KindAt(board, 7, 8);
  Walk(UNDO_CAPACITY - 1);  // one more than the journal holds
  EXPECT_EQ(board.moveCount, 1024);
  EXPECT_EQ(board.undoCount, 1023);

  for (int undo = 0; undo < UNDO_CAPACITY - 1; undo++) {
    board.Undo();
  }

  // Back to the board after the first step, which can no longer be undone.
  EXPECT_EQ(board.heroX, heroAfterFirstStep);
  EXPECT_EQ(board.heroY, 8);
  EXPECT_EQ(KindAt(board, 7, 8), boxAfterFirstStep);
  EXPECT_EQ(board.moveCount, 1);
  EXPECT_EQ(board.pushCount, 1);
  EXPECT_EQ(board.undoCount, 0);
  board.Undo();
  EXPECT_EQ(board.moveCount, 1);
}

// Entries only come from steps, but whatever one holds, an undo stays on the
// grid: an entry that would reach off it is given up and the board kept.
TEST_F(UndoTest, AnEntryReachingOffTheBoardIsGivenUp) {
  // The hero stands at (10, 0): the first entry would take it off the top,
  // the others would move a box from or to a cell off the board.
  const UndoEntry entries[] = {{DIR_DOWN, 0, 0, 0},
                               {DIR_LEFT, 0, 30, 40},
                               {DIR_RIGHT, 0, 23, 5},
                               {DIR_UP, 0, -5, 3},
                               {DIR_UP, 0, 3, 0}};
  for (const UndoEntry& entry : entries) {
    SCOPED_TRACE(std::to_string(entry.direction) + " " + std::to_string(entry.boxX) + "," +
                 std::to_string(entry.boxY));
    LoadBoardText(&board, BoardText(R"(
..........@
)"));
    board.moveCount = 1;
    board.undoJournal[0] = entry;
    board.undoCount = 1;
    const std::string before = Describe(board);

    board.Undo();

    EXPECT_EQ(board.undoCount, 0);
    board.undoCount = 1;
    EXPECT_EQ(Describe(board), before);
  }
}

}  // namespace
