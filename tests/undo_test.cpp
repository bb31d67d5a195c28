// undo_test.cpp: taking steps back from the undo journal.
#include <gtest/gtest.h>

#include <string>

#include "board/replay.h"
#include "tests/board_text.h"

namespace {

// From the hero at (4, 8) and the box at (6, 8): push the box right, walk
// round it, push it back left and walk home. Two pushes in 18 steps.
const std::string ROUND_TRIP = "RDDRRRRUULUULLLLDD";

class UndoTest : public testing::Test {
 protected:
  void SetUp() override {
    LoadBoardText(&board, BoardText({{4, 8, '@'}, {6, 8, '$'}}));
    board.objectLayer[8][4].direction = DIR_LEFT;
    loaded = Describe(board);
  }
  // Takes the next `count` steps of the round trip, each glide ended first.
  void Walk(int count) {
    for (int end = steps + count; steps < end; steps++) {
      ASSERT_TRUE(board.Move(DirectionOfLetter(ROUND_TRIP[steps % ROUND_TRIP.size()])))
          << "step " << steps;
      board.AnimateTiles(1);  // ends every glide
    }
  }
  CLevel board;
  std::string loaded;
  int steps = 0;
};

TEST_F(UndoTest, EachUndoTakesBackOneStepAtOnceAndAnEmptyJournalNothing) {
  board.Undo();
  EXPECT_EQ(Describe(board), loaded);
  ASSERT_TRUE(board.Move(DIR_RIGHT));  // a push, taken back while both glide
  board.Undo();
  EXPECT_EQ(Describe(board), loaded);
  ASSERT_TRUE(board.Move(DIR_UP));  // writes over the entry given up
  EXPECT_EQ(Counters(board), "hero 4,7 moves 1 pushes 0 journal 1 (200 203 0 0)");
  board.AnimateTiles(1);
  // Back at rest facing down, with the direction the hero had before.
  board.Undo();
  EXPECT_EQ(Describe(board), loaded);

  // Round a square back home and undone: the hero faces as it did before each
  // step, not as it last faced where it stands.
  for (int direction : {DIR_LEFT, DIR_UP, DIR_RIGHT, DIR_DOWN}) {
    ASSERT_TRUE(board.Move(direction));
    board.AnimateTiles(1);
  }
  for (int undone = 0; undone < 4; undone++) {
    board.Undo();
  }
  EXPECT_EQ(Describe(board), loaded);

  // A box pushed along the top row is put back too.
  LoadBoardText(&board, BoardText({{4, 0, '@'}, {6, 0, '$'}}));
  loaded = Describe(board);
  ASSERT_TRUE(board.Move(DIR_RIGHT));
  board.Undo();
  EXPECT_EQ(Describe(board), loaded);
}

TEST_F(UndoTest, AStepBeyondAFullJournalDropsOnlyTheOldestEntry) {
  Walk(1);
  CLevel afterFirstStep = board;
  afterFirstStep.undoCount = 0;
  afterFirstStep.objectLayer[8][5].row = 1;  // as undo leaves the hero
  Walk(UNDO_CAPACITY - 1);
  EXPECT_EQ(board.moveCount, 1024);
  EXPECT_EQ(board.undoCount, 1023);
  ASSERT_GT(board.pushCount, 100);

  for (int undo = 0; undo < UNDO_CAPACITY; undo++) {  // the last finds the journal empty
    board.Undo();
  }

  EXPECT_EQ(Describe(board), Describe(afterFirstStep));
}

}  // namespace
