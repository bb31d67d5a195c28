// board_draw_test.cpp: the completion check, the highlight of placed boxes and
// the order in which the board's four drawing passes lay pictures over each other.
#include <gtest/gtest.h>

#include <utility>

#include "board/level.h"
#include "tests/support.h"

namespace {

void PutObject(CLevel& board, int column, int row, int kind) {
  board.objectLayer[row][column].Init(CELL_SIZE * column - OBJECT_OVERHANG,
                                      CELL_SIZE * row - OBJECT_OVERHANG, OBJECT_FRAME, OBJECT_FRAME,
                                      kind);
}

void PutGround(CLevel& board, int column, int row, int kind) {
  board.groundLayer[row][column].Init(CELL_SIZE * column, CELL_SIZE * row, GROUND_FRAME,
                                      GROUND_FRAME, kind);
}

// Starts the object at (column, row) gliding there from one row above.
void GlideDownInto(CLevel& board, int column, int row) {
  Tile& tile = board.objectLayer[row][column];
  tile.destX = tile.x;
  tile.destY = tile.y;
  tile.y -= CELL_SIZE;
  tile.direction = DIR_DOWN;
  tile.moving = 1;
}

// Seconds that give exactly 5 pixels a frame at 150 px/s.
const float FIVE_PIXELS = 0.034f;

class BoardCompletion : public testing::Test {
 protected:
  void SetUp() override { harness.game.screenState = GAME_PLAY; }
  int State() const { return harness.game.screenState; }

  GameHarness harness;
  CLevel& board = harness.board;
};

TEST_F(BoardCompletion, ALevelWithoutBoxesIsCompleteInItsFirstPlayFrame) {
  board.boxCount = 0;
  harness.game.RunFrame(0.010f);
  EXPECT_EQ(State(), GAME_WIN);
}

TEST_F(BoardCompletion, TheNumberOfPlacedBoxesMustEqualTheBoxCountExactly) {
  for (int column : {2, 6, 10}) {
    PutGround(board, column, 4, TILE_PLACE);
    PutObject(board, column, 4, TILE_BOX);
  }
  for (int boxCount : {2, 4}) {
    board.boxCount = static_cast<uint8_t>(boxCount);
    for (int frame = 0; frame < 3; frame++) {
      harness.game.RunFrame(0.010f);
    }
    EXPECT_EQ(State(), GAME_PLAY) << "three boxes placed, " << boxCount << " asked for";
  }

  board.boxCount = 3;
  harness.game.RunFrame(0.010f);
  EXPECT_EQ(State(), GAME_WIN);
}

TEST_F(BoardCompletion, ABoxStillGlidingOntoItsPlaceCountsButIsNotYetHighlighted) {
  board.boxCount = 1;
  PutGround(board, 6, 6, TILE_PLACE);
  PutObject(board, 6, 6, TILE_BOX);
  GlideDownInto(board, 6, 6);

  board.CheckComplete();
  EXPECT_EQ(State(), GAME_WIN);
  EXPECT_EQ(board.objectLayer[6][6].row, 0);
}

TEST_F(BoardCompletion, ABoxShowsItsHighlightFromTheFrameAfterItsGlideEnds) {
  // A second box still has to be placed, so play goes on.
  board.boxCount = 2;
  PutObject(board, 2, 2, TILE_BOX);
  PutGround(board, 6, 6, TILE_PLACE);
  PutObject(board, 6, 6, TILE_BOX);
  GlideDownInto(board, 6, 6);
  const Tile& box = board.objectLayer[6][6];

  for (int frame = 1; frame <= 5; frame++) {
    harness.game.RunFrame(FIVE_PIXELS);
    EXPECT_EQ(box.row, 0) << "frame " << frame;
  }
  EXPECT_EQ(box.moving, 0) << "the glide ends in the fifth frame";
  harness.game.RunFrame(FIVE_PIXELS);
  EXPECT_EQ(box.row, 1);
  EXPECT_EQ(board.objectLayer[2][2].row, 0) << "a box off the places is left alone";
  EXPECT_EQ(State(), GAME_PLAY);
}

TEST_F(BoardCompletion, ABoxHalfOffAPlaceNeitherCountsNorLightsUp) {
  board.boxCount = 1;
  PutGround(board, 10, 10, TILE_PLACE);
  for (const auto& offset : {std::make_pair(1, 0), std::make_pair(0, 1), std::make_pair(-1, -1)}) {
    const int column = 10 + offset.first;
    const int row = 10 + offset.second;
    PutObject(board, column, row, TILE_BOX);
    board.CheckComplete();
    EXPECT_EQ(State(), GAME_PLAY) << "box at " << column << ", " << row;
    EXPECT_EQ(board.objectLayer[row][column].row, 0);
    PutObject(board, column, row, TILE_NONE);
  }
}

TEST(BoardCompletionWithoutGame, ACompleteLevelWithoutAGameObjectIsHarmless) {
  CLevel board;
  board.CheckComplete();
  SUCCEED();
}

// Every picture sheet has its own colour in three parts: the upper-left 48 x 48
// body, the 14 x 14 lower-left rim corner and the strips along the right and
// bottom edges. Box sheets have a second row in other colours.
enum Part { BODY = 0, CORNER = 1, STRIP = 2 };

Uint8 Red(int kind) {
  return static_cast<Uint8>(20 + 45 * kind);
}
Uint8 Green(int row) {
  return static_cast<Uint8>(40 + 100 * row);
}
Uint8 Blue(Part part) {
  return static_cast<Uint8>(60 + 80 * part);
}

void Fill(SDL_Surface* sheet, int x, int y, int w, int h, int kind, int row, Part part) {
  SDL_Rect area = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                   static_cast<Uint16>(h)};
  SDL_FillRect(sheet, &area, SDL_MapRGB(sheet->format, Red(kind), Green(row), Blue(part)));
}

SDL_Surface* Sheet(int kind, int rows) {
  SDL_Surface* sheet = SolidSurface(OBJECT_FRAME, rows * OBJECT_FRAME, 0, 0, 0);
  for (int row = 0; row < rows; row++) {
    const int top = row * OBJECT_FRAME;
    Fill(sheet, 0, top, OBJECT_FRAME, OBJECT_FRAME, kind, row, STRIP);
    Fill(sheet, 0, top, 48, 48, kind, row, BODY);
    Fill(sheet, 0, top + 48, 14, 14, kind, row, CORNER);
  }
  return sheet;
}

class BoardDrawing : public testing::Test {
 protected:
  void SetUp() override {
    screen = harness.game.screen;
    // The ground sheets are object-sized too, so that a tile drawn whole
    // where only its body belongs would show.
    harness.game.heroImage = Sheet(TILE_HERO, 4);
    harness.game.floorImage = Sheet(TILE_FLOOR, 1);
    harness.game.wallImage = Sheet(TILE_WALL, 1);
    harness.game.boxImage = Sheet(TILE_BOX, 2);
    harness.game.placeImage = Sheet(TILE_PLACE, 1);
    SDL_FillRect(screen, nullptr, 0);
  }
  void TearDown() override {
    for (SDL_Surface* sheet :
         {harness.game.heroImage, harness.game.floorImage, harness.game.wallImage,
          harness.game.boxImage, harness.game.placeImage}) {
      SDL_FreeSurface(sheet);
    }
  }

  Uint32 Colour(int kind, Part part) { return ColourOn(screen, Red(kind), Green(0), Blue(part)); }
  // The pixel at (dx, dy) within the frame of the object anchored at (column, row).
  Uint32 InFrame(int column, int row, int dx, int dy) {
    return PixelAt(screen, CELL_SIZE * column - OBJECT_OVERHANG + dx,
                   CELL_SIZE * row - OBJECT_OVERHANG + dy);
  }
  Uint32 InCell(int column, int row) {
    return PixelAt(screen, CELL_SIZE * column + 5, CELL_SIZE * row + 5);
  }

  GameHarness harness;
  CLevel& board = harness.board;
  SDL_Surface* screen = nullptr;
  const Uint32 black = 0;
};

TEST_F(BoardDrawing, PlacesLieOverFloorsOfLaterCells) {
  PutGround(board, 2, 2, TILE_PLACE);
  PutGround(board, 3, 2, TILE_FLOOR);
  PutGround(board, 2, 3, TILE_FLOOR);
  board.DrawBoard(screen);

  EXPECT_EQ(InCell(3, 2), Colour(TILE_PLACE, BODY));
  EXPECT_EQ(InCell(2, 3), Colour(TILE_PLACE, BODY));
  EXPECT_EQ(InCell(4, 2), Colour(TILE_FLOOR, BODY));
  EXPECT_EQ(InCell(2, 4), Colour(TILE_FLOOR, BODY));
}

TEST_F(BoardDrawing, GroundOfALaterCellLiesUnderAnObject) {
  PutObject(board, 2, 2, TILE_WALL);
  PutGround(board, 3, 3, TILE_FLOOR);
  PutGround(board, 3, 2, TILE_PLACE);
  board.DrawBoard(screen);

  EXPECT_EQ(InCell(3, 3), Colour(TILE_WALL, BODY));
  EXPECT_EQ(InCell(3, 2), Colour(TILE_WALL, BODY));
  EXPECT_EQ(InCell(4, 4), Colour(TILE_FLOOR, BODY));
}

TEST_F(BoardDrawing, WhereTwoRimStripsMeetTheFrameOfTheLaterRowLiesOnTop) {
  // The box stands two rows below and one column left of the wall: the box's
  // right strip meets the wall's bottom strip.
  PutObject(board, 6, 4, TILE_WALL);
  PutObject(board, 5, 6, TILE_BOX);
  board.DrawBoard(screen);

  EXPECT_EQ(InFrame(6, 4, 30, 55), Colour(TILE_BOX, STRIP));
  EXPECT_EQ(InFrame(6, 4, 20, 55), Colour(TILE_BOX, BODY));
  EXPECT_EQ(InFrame(6, 4, 5, 55), Colour(TILE_BOX, BODY)) << "the later body covers the corner";
  EXPECT_EQ(InFrame(6, 4, 40, 40), Colour(TILE_WALL, BODY));
}

TEST_F(BoardDrawing, BodyAndRimCornerLieOverTheRightStripOfTheNextRowsFrame) {
  // The wall stands one row below the box and two columns to its left, so its
  // right strip, drawn after the box's frame, reaches over the box's body and corner.
  PutObject(board, 6, 5, TILE_BOX);
  PutObject(board, 4, 6, TILE_WALL);
  board.DrawBoard(screen);

  EXPECT_EQ(InFrame(4, 6, 50, 10), Colour(TILE_BOX, BODY));
  EXPECT_EQ(InFrame(4, 6, 50, 30), Colour(TILE_BOX, CORNER));
  EXPECT_EQ(InFrame(4, 6, 50, 40), Colour(TILE_WALL, STRIP)) << "below the box's frame";
}

TEST_F(BoardDrawing, APlaceInTheObjectLayerShowsOnlyItsBodyAndCornerOverThePassBefore) {
  PutObject(board, 10, 10, TILE_PLACE);
  // A wall whose frame reaches over the place's body from the next row.
  PutObject(board, 9, 11, TILE_WALL);
  board.DrawBoard(screen);

  EXPECT_EQ(InFrame(10, 10, 5, 5), Colour(TILE_PLACE, BODY));
  EXPECT_EQ(InFrame(10, 10, 5, 55), Colour(TILE_WALL, BODY)) << "the wall's body comes later";
  EXPECT_EQ(InFrame(10, 10, 29, 29), Colour(TILE_PLACE, BODY)) << "over the wall's right strip";
  EXPECT_EQ(InFrame(10, 10, 55, 5), black) << "no right strip";
  EXPECT_EQ(InFrame(10, 10, 55, 55), black) << "no bottom strip";
  EXPECT_EQ(PixelAt(screen, 280, 280), black) << "nothing at the ground position";
}

TEST_F(BoardDrawing, KindsOutOfTheirLayerAreNeverDrawn) {
  PutObject(board, 2, 2, TILE_FLOOR);
  PutGround(board, 6, 2, TILE_HERO);
  PutGround(board, 10, 2, TILE_WALL);
  PutGround(board, 14, 2, TILE_BOX);
  PutObject(board, 18, 2, 6);
  PutGround(board, 22, 2, 200);
  board.DrawBoard(screen);

  for (int column : {2, 6, 10, 14, 18, 22}) {
    EXPECT_EQ(InCell(column, 2), black) << "column " << column;
    EXPECT_EQ(InCell(column + 1, 3), black) << "column " << column;
  }
}

TEST_F(BoardDrawing, APlacedBoxShowsTheSecondRowOfItsSheet) {
  board.boxCount = 2;
  PutGround(board, 4, 4, TILE_PLACE);
  PutObject(board, 4, 4, TILE_BOX);
  board.CheckComplete();
  board.DrawBoard(screen);
  EXPECT_EQ(InCell(4, 4), ColourOn(screen, Red(TILE_BOX), Green(1), Blue(BODY)));
}

}  // namespace
