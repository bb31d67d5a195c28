// move_test.cpp: the move and push rules: steps, the three push cases, edges.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/level.h"
#include "tests/board_text.h"

namespace {

// What the rules may change: the object layer, the hero, counters, journal.
std::string Describe(const CLevel& board) {
  std::string text;
  for (const auto& row : board.objectLayer) {
    for (const Tile& tile : row) {
      text += ".@_#$o"[tile.kind < 6 ? tile.kind : 0];
    }
    text += '\n';
  }
  return text + "hero " + std::to_string(board.heroX) + "," + std::to_string(board.heroY) +
         " moves " + std::to_string(board.moveCount) + " pushes " +
         std::to_string(board.pushCount) + " journal " + std::to_string(board.undoCount);
}

// An empty grid of 25 x 20 cells to place objects on by coordinates.
struct Picture {
  std::string cells = std::string(BOARD_ROWS * (BOARD_COLUMNS + 1), '.');
  Picture() {
    for (int row = 0; row < BOARD_ROWS; row++) {
      cells[row * (BOARD_COLUMNS + 1) + BOARD_COLUMNS] = '\n';
    }
  }
  Picture& Put(int column, int row, char cell) {
    cells[row * (BOARD_COLUMNS + 1) + column] = cell;
    return *this;
  }
};

struct Way {
  int code;
  int dx;
  int dy;
  const char* name;
};
const Way WAYS[] = {{DIR_UP, 0, -1, "up"},
                    {DIR_DOWN, 0, 1, "down"},
                    {DIR_LEFT, -1, 0, "left"},
                    {DIR_RIGHT, 1, 0, "right"}};

const int ALL_CODES[] = {DIR_UP, DIR_DOWN, DIR_LEFT, DIR_RIGHT};

class MoveTest : public testing::Test {
 protected:
  void Given(const std::string& objects, const std::string& header = "") {
    LoadBoardText(&board, BoardText(objects, "", header));
  }
  void Given(const Picture& picture, const std::string& header = "") {
    Given(picture.cells, header);
  }
  // The request is refused and nothing the rules own has changed.
  void ExpectRefused(int direction) {
    const std::string before = Describe(board);
    const int facing = board.objectLayer[board.heroY][board.heroX].row;
    EXPECT_FALSE(board.Move(direction));
    EXPECT_EQ(Describe(board), before);
    EXPECT_EQ(board.objectLayer[board.heroY][board.heroX].row, facing);
  }
  CLevel board;
};

// Hero anchored at (6, 8) with nothing ahead.
const char FREE_UP[] = R"(
..........
..........
..........
..........
..........
..........
..........
..........
......@...
)";

// Hero anchored at (6, 8), a box anchored at (5, 6), half a box to the left of
// straight ahead.
const char PUSH_UP[] = R"(
..........
..........
..........
..........
..........
..........
.....$....
..........
......@...
)";

TEST_F(MoveTest, FreeStepUpMovesTheHeroAndStartsItsGlide) {
  Given(FREE_UP);
  board.objectLayer[8][6].direction = DIR_LEFT;

  EXPECT_TRUE(board.Move(DIR_UP));

  EXPECT_EQ(board.heroX, 6);
  EXPECT_EQ(board.heroY, 7);
  EXPECT_EQ(board.moveCount, 1);
  EXPECT_EQ(board.pushCount, 0);
  ASSERT_EQ(board.undoCount, 1);
  const UndoEntry& entry = board.undoJournal[0];
  EXPECT_EQ(entry.direction, DIR_UP);
  EXPECT_EQ(entry.heroDirection, DIR_LEFT);
  EXPECT_EQ(entry.boxX, 0);
  EXPECT_EQ(entry.boxY, 0);
  EXPECT_EQ(KindAt(board, 6, 8), TILE_NONE);
  const Tile& hero = board.objectLayer[7][6];
  EXPECT_EQ(hero.kind, TILE_HERO);
  EXPECT_EQ(hero.x, 130);
  EXPECT_EQ(hero.y, 178);
  EXPECT_EQ(hero.destX, 130);
  EXPECT_EQ(hero.destY, 154);
  EXPECT_EQ(hero.moving, 1);
  EXPECT_EQ(hero.direction, DIR_UP);
  EXPECT_EQ(hero.row, 0);
  EXPECT_EQ(hero.frame, 0);
}

TEST_F(MoveTest, PushUpMovesTheBoxHalfBesideTheHero) {
  Given(PUSH_UP);
  board.objectLayer[8][6].direction = DIR_RIGHT;

  EXPECT_TRUE(board.Move(DIR_UP));

  EXPECT_EQ(KindAt(board, 5, 6), TILE_NONE);
  const Tile& box = board.objectLayer[5][5];
  EXPECT_EQ(box.kind, TILE_BOX);
  EXPECT_EQ(box.x, 106);
  EXPECT_EQ(box.y, 130);
  EXPECT_EQ(box.destX, 106);
  EXPECT_EQ(box.destY, 106);
  EXPECT_EQ(box.moving, 1);
  EXPECT_EQ(box.direction, DIR_UP);
  EXPECT_EQ(box.row, 0);
  EXPECT_EQ(board.heroX, 6);
  EXPECT_EQ(board.heroY, 7);
  EXPECT_EQ(KindAt(board, 6, 7), TILE_HERO);
  EXPECT_EQ(board.moveCount, 1);
  EXPECT_EQ(board.pushCount, 1);
  ASSERT_EQ(board.undoCount, 1);
  const UndoEntry& entry = board.undoJournal[0];
  EXPECT_EQ(entry.direction, DIR_UP);
  EXPECT_EQ(entry.heroDirection, DIR_RIGHT);
  EXPECT_EQ(entry.boxX, 5);
  EXPECT_EQ(entry.boxY, 6);
}

TEST_F(MoveTest, PushUpIsRefusedByAWallOrBoxInTheSideCell) {
  for (char blocker : {'#', '$'}) {
    SCOPED_TRACE(blocker);
    Picture picture;
    Given(picture.Put(6, 8, '@').Put(5, 6, '$').Put(7, 6, blocker));
    ExpectRefused(DIR_UP);
  }
}

// Every direction has the same three cases: the box straight ahead (A), half
// a box to the lower-numbered side (B) or to the other side (C). The box
// cell, side cell and cells beyond are worked out here from the geometry.
struct PushScene {
  Way way;
  int offset;  // -1 case B, 0 case A, 1 case C
  int heroX = 12;
  int heroY = 9;
  int SideX() const { return way.dy ? 1 : 0; }
  int SideY() const { return way.dx ? 1 : 0; }
  int BoxX() const { return heroX + 2 * way.dx + offset * SideX(); }
  int BoxY() const { return heroY + 2 * way.dy + offset * SideY(); }
  // The front cell across from the box; only cases B and C have one.
  int OtherX() const { return heroX + 2 * way.dx - offset * SideX(); }
  int OtherY() const { return heroY + 2 * way.dy - offset * SideY(); }
  // Anchors of the objects that the box's body would meet after its step.
  int BeyondX(int k) const { return BoxX() + 2 * way.dx + k * SideX(); }
  int BeyondY(int k) const { return BoxY() + 2 * way.dy + k * SideY(); }
  Picture Draw() const { return Picture().Put(heroX, heroY, '@').Put(BoxX(), BoxY(), '$'); }
  std::string Name() const { return std::string(way.name) + " case " + "BAC"[offset + 1]; }
};

std::vector<PushScene> AllPushScenes() {
  std::vector<PushScene> scenes;
  for (const Way& way : WAYS) {
    for (int offset : {0, -1, 1}) {
      scenes.push_back({way, offset});
    }
  }
  return scenes;
}

TEST_F(MoveTest, EachPushCaseMovesItsBoxOneCellInEveryDirection) {
  for (const PushScene& scene : AllPushScenes()) {
    SCOPED_TRACE(scene.Name());
    Given(scene.Draw());
    ASSERT_TRUE(board.Move(scene.way.code));
    EXPECT_EQ(KindAt(board, scene.BoxX(), scene.BoxY()), TILE_NONE);
    EXPECT_EQ(KindAt(board, scene.BoxX() + scene.way.dx, scene.BoxY() + scene.way.dy), TILE_BOX);
    EXPECT_EQ(board.heroX, scene.heroX + scene.way.dx);
    EXPECT_EQ(board.heroY, scene.heroY + scene.way.dy);
    EXPECT_EQ(board.pushCount, 1);
    EXPECT_EQ(board.undoJournal[0].boxX, scene.BoxX());
    EXPECT_EQ(board.undoJournal[0].boxY, scene.BoxY());
  }
}

TEST_F(MoveTest, AWallOrBoxInTheSideCellOrBeyondStopsEveryPushCase) {
  for (const PushScene& scene : AllPushScenes()) {
    std::vector<std::pair<int, int>> blockers;
    if (scene.offset != 0) {
      blockers.push_back({scene.OtherX(), scene.OtherY()});
    }
    for (int k : {-1, 0, 1}) {
      blockers.push_back({scene.BeyondX(k), scene.BeyondY(k)});
    }
    for (const auto& cell : blockers) {
      for (char blocker : {'#', '$'}) {
        Picture picture = scene.Draw();
        picture.Put(cell.first, cell.second, blocker);
        Given(picture);
        SCOPED_TRACE(scene.Name() + ", " + blocker + " at " + std::to_string(cell.first) + "," +
                     std::to_string(cell.second));
        ExpectRefused(scene.way.code);
      }
    }
  }
}

// A level file may put a place's byte, 5, into the object layer. Beside or
// beyond a box it blocks only a push to the right.
TEST_F(MoveTest, AnOddKindBeyondABoxStopsOnlyAPushToTheRight) {
  for (const PushScene& scene : AllPushScenes()) {
    for (int k : {-1, 0, 1}) {
      Picture picture = scene.Draw();
      picture.Put(scene.BeyondX(k), scene.BeyondY(k), 'o');
      Given(picture);
      SCOPED_TRACE(scene.Name() + ", beyond " + std::to_string(k));
      if (scene.way.code == DIR_RIGHT) {
        ExpectRefused(DIR_RIGHT);
      } else {
        EXPECT_TRUE(board.Move(scene.way.code));
      }
    }
  }
}

TEST_F(MoveTest, AnyKindButNoneInAFrontCellStopsAFreeStep) {
  for (const Way& way : WAYS) {
    for (int side : {0, -1, 1}) {
      // The front cells lie two cells ahead, across the hero's width.
      const int column = 12 + 2 * way.dx + side * (way.dy != 0);
      const int row = 9 + 2 * way.dy + side * (way.dx != 0);
      Given(Picture().Put(12, 9, '@').Put(column, row, 'o'));
      SCOPED_TRACE(std::string(way.name) + " " + std::to_string(side));
      ExpectRefused(way.code);
    }
  }
}

TEST_F(MoveTest, BoxesMayTouchButNeverOverlap) {
  // Pushed up, the box at (6, 6) would overlap a box at (5, 4)...
  Given(R"(
..........
..........
..........
..........
.....$....
..........
......$...
..........
......@...
)");
  ExpectRefused(DIR_UP);
  // ...but only touch one at (4, 4).
  Given(R"(
..........
..........
..........
..........
....$.....
..........
......$...
..........
......@...
)");
  EXPECT_TRUE(board.Move(DIR_UP));
  EXPECT_EQ(KindAt(board, 6, 5), TILE_BOX);
}

TEST_F(MoveTest, FloorsAndPlacesNeitherBlockNorAllow) {
  const char ground[] = R"(
..........
..........
..........
..........
..........
..........
_o_o_o_o..
oooooooo..
________..
oooooooo..
)";
  LoadBoardText(&board, BoardText(FREE_UP, ground));
  EXPECT_TRUE(board.Move(DIR_UP));
  Picture walled;
  LoadBoardText(&board, BoardText(walled.Put(6, 8, '@').Put(7, 6, '#').cells, ground));
  ExpectRefused(DIR_UP);
}

TEST_F(MoveTest, AGlidingHeroRefusesEveryRequest) {
  Given(FREE_UP);
  ASSERT_TRUE(board.Move(DIR_UP));
  for (int code : ALL_CODES) {
    ExpectRefused(code);
  }
  FinishGlides(&board);
  EXPECT_TRUE(board.Move(DIR_UP));
}

TEST_F(MoveTest, AnUnknownCodeIsRefused) {
  Given(FREE_UP);
  for (int code : {0, 201, 204, 206, -200}) {
    SCOPED_TRACE(code);
    ExpectRefused(code);
  }
}

TEST_F(MoveTest, ARefusedRequestKeepsTheHerosFacing) {
  Given(Picture().Put(6, 8, '@').Put(6, 6, '#'));
  ASSERT_TRUE(board.Move(DIR_RIGHT));
  FinishGlides(&board);
  ASSERT_EQ(board.objectLayer[8][7].row, 3);
  ExpectRefused(DIR_UP);  // the wall at (6, 6) still meets the hero's body
  EXPECT_EQ(board.objectLayer[8][7].row, 3);
}

TEST_F(MoveTest, UpAndDownHeldTogetherWalkUpOnly) {
  Given(FREE_UP);
  for (int frame = 0; frame < 3; frame++) {
    // The play screen asks up before down, every frame.
    EXPECT_TRUE(board.Move(DIR_UP));
    EXPECT_FALSE(board.Move(DIR_DOWN));
    FinishGlides(&board);
  }
  EXPECT_EQ(board.heroY, 5);
}

// Levels without walls around: cells off the grid count as empty.
TEST_F(MoveTest, TheHeroWalksUpToEveryEdgeAndNoFurther) {
  Given(Picture().Put(4, 1, '@'));
  EXPECT_TRUE(board.Move(DIR_UP));
  EXPECT_EQ(board.heroY, 0);
  FinishGlides(&board);
  ExpectRefused(DIR_UP);

  Given(Picture().Put(1, 4, '@'));
  EXPECT_TRUE(board.Move(DIR_LEFT));
  EXPECT_EQ(board.heroX, 0);
  FinishGlides(&board);
  ExpectRefused(DIR_LEFT);

  Given(Picture().Put(22, 17, '@'));
  EXPECT_TRUE(board.Move(DIR_DOWN));
  EXPECT_EQ(board.heroY, 18);
  FinishGlides(&board);
  ExpectRefused(DIR_DOWN);
  EXPECT_TRUE(board.Move(DIR_RIGHT));
  EXPECT_EQ(board.heroX, 23);
  FinishGlides(&board);
  ExpectRefused(DIR_RIGHT);
}

TEST_F(MoveTest, APushThatWouldPutABoxOffTheBoardIsRefused) {
  Given(Picture().Put(4, 2, '@').Put(4, 0, '$'));
  ExpectRefused(DIR_UP);
  Given(Picture().Put(2, 0, '@').Put(0, 0, '$'));
  ExpectRefused(DIR_LEFT);
  Given(Picture().Put(21, 5, '@').Put(23, 5, '$'));
  ExpectRefused(DIR_RIGHT);
  Given(Picture().Put(5, 16, '@').Put(5, 18, '$'));
  ExpectRefused(DIR_DOWN);
  // A box anchored in the last column pokes off the grid; pushed up it would
  // still stand there.
  Given(Picture().Put(23, 7, '@').Put(24, 5, '$'));
  ExpectRefused(DIR_UP);
  // A box anchored in the last row, met from above.
  Given(Picture().Put(8, 17, '@').Put(8, 19, '$'));
  ExpectRefused(DIR_DOWN);
}

TEST_F(MoveTest, APushOntoTheOuterRowIsAllowed) {
  Given(Picture().Put(4, 3, '@').Put(4, 1, '$'));
  EXPECT_TRUE(board.Move(DIR_UP));
  EXPECT_EQ(KindAt(board, 4, 0), TILE_BOX);
}

TEST_F(MoveTest, AHeaderWithoutAHeroOnTheBoardMovesNothing) {
  const std::pair<Picture, std::string> scenes[] = {
      {Picture().Put(24, 5, '@'), "hero 24 5\n"},
      {Picture().Put(5, 19, '@'), "hero 5 19\n"},
      {Picture().Put(9, 9, '@').Put(5, 5, '#'), "hero 5 5\n"},
      {Picture().Put(9, 9, '@'), "hero 7 7\n"},
      {Picture(), "hero 30 3\n"},
      {Picture(), "hero 255 255\n"}};
  for (const auto& scene : scenes) {
    SCOPED_TRACE(scene.second);
    Given(scene.first, scene.second);
    const std::string before = Describe(board);
    for (int code : ALL_CODES) {
      EXPECT_FALSE(board.Move(code));
    }
    board.Undo();
    EXPECT_EQ(Describe(board), before);
  }
}

}  // namespace
