// board_draw_test.cpp: tiles and the board drawn on pixels, the order in which
// the four passes lay pictures over each other, and the completion check.
#include <gtest/gtest.h>

#include "board/level.h"
#include "tests/support.h"

namespace {

// Every frame of a synthetic sheet has its own colour, by kind, column and row,
// in each of three parts: the upper-left 48 x 48 body, the 14 x 14 lower-left
// rim corner and the strips along the right and bottom edges. Ground sheets are
// object-sized too, so that a ground tile drawn with an object's frame would show.
enum Part { BODY, CORNER, STRIP };

Uint32 Colour(SDL_Surface* surface, int kind, Part part, int row = 0, int column = 0) {
  return ColourOn(surface, 20 + 45 * kind, 20 + 60 * row + 12 * column, 60 + 80 * part);
}

SDL_Surface* Sheet(int kind, int columns, int rows) {
  SDL_Surface* sheet = SolidSurface(columns * 62, rows * 62, 0, 0, 0);
  Uint32* pixels = static_cast<Uint32*>(sheet->pixels);
  for (int y = 0; y < sheet->h; y++) {
    for (int x = 0; x < sheet->w; x++) {
      const int fx = x % 62, fy = y % 62;
      const Part part = fy < 48 ? (fx < 48 ? BODY : STRIP) : (fx < 14 ? CORNER : STRIP);
      // The sheet's pixels are 0xRRGGBB, as Colour gives them.
      pixels[y * sheet->pitch / 4 + x] = Colour(sheet, kind, part, y / 62, x / 62);
    }
  }
  return sheet;
}

class Board : public testing::Test {
 protected:
  Board() {
    game.heroImage = Sheet(TILE_HERO, 4, 4);
    game.boxImage = Sheet(TILE_BOX, 1, 2);
    game.wallImage = Sheet(TILE_WALL, 1, 2);
    game.placeImage = Sheet(TILE_PLACE, 1, 1);
    game.floorImage = Sheet(TILE_FLOOR, 1, 1);
    game.screenState = GAME_PLAY;
    SDL_FillRect(screen, nullptr, 0);
  }
  ~Board() override { game.FreeImages(); }
  Tile& Object(int c, int r, int kind) {
    board.objectLayer[r][c].Init(24 * c - 14, 24 * r - 14, 62, 62, kind);
    return board.objectLayer[r][c];
  }
  void Ground(int c, int r, int k) { board.groundLayer[r][c].Init(24 * c, 24 * r, 48, 48, k); }
  // The pixel (dx, dy) into the frame of an object anchored at (c, r).
  Uint32 InFrame(int c, int r, int dx, int dy) {
    return PixelAt(screen, 24 * c - 14 + dx, 24 * r - 14 + dy);
  }
  Uint32 InCell(int c, int r) { return InFrame(c, r, 19, 19); }
  Uint32 Is(int kind, Part p, int row = 0, int c = 0) { return Colour(screen, kind, p, row, c); }

  GameHarness harness;
  CGame& game = harness.game;
  CLevel& board = harness.board;
  SDL_Surface* screen = game.screen;
};

TEST_F(Board, ATileShowsTheFrameOfItsRowAndWalkFrameCutAtTheScreenEdge) {
  Tile& hero = Object(5, 4, TILE_HERO);
  hero.frame = 2;
  hero.row = 3;
  // A wall has one sheet row whatever its row says.
  Object(0, 0, TILE_WALL).row = 1;
  board.DrawBoard(screen);
  EXPECT_EQ(InFrame(5, 4, 0, 0), Is(TILE_HERO, BODY, 3, 2));
  EXPECT_EQ(InFrame(5, 4, 61, 61), Is(TILE_HERO, STRIP, 3, 2));
  EXPECT_EQ(InFrame(5, 4, 62, 61), 0u);
  EXPECT_EQ(InFrame(5, 4, 61, 62), 0u);
  EXPECT_EQ(PixelAt(screen, 0, 0), Is(TILE_WALL, BODY));
  EXPECT_EQ(PixelAt(screen, 0, 34), Is(TILE_WALL, STRIP)) << "the corner lies left of the screen";
}

TEST_F(Board, GroundLiesUnderObjectsAndPlacesOverFloors) {
  Ground(2, 2, TILE_PLACE);
  Ground(3, 2, TILE_FLOOR);
  Object(8, 2, TILE_WALL);
  Ground(9, 3, TILE_FLOOR);
  Ground(9, 2, TILE_PLACE);
  board.DrawBoard(screen);

  EXPECT_EQ(InCell(3, 2), Is(TILE_PLACE, BODY)) << "a place over a later floor";
  EXPECT_EQ(InCell(4, 2), Is(TILE_FLOOR, BODY));
  EXPECT_EQ(InCell(5, 2), 0u) << "a floor is 48 pixels wide";
  EXPECT_EQ(InCell(9, 3), Is(TILE_WALL, BODY)) << "a later cell's floor under an object";
  EXPECT_EQ(InCell(9, 2), Is(TILE_WALL, BODY)) << "a later cell's place under an object";
}

TEST_F(Board, LaterFramesLieOnTopButBodiesAndRimCornersAreDrawnOverEveryFrame) {
  // The box's right strip meets the wall's bottom strip.
  Object(16, 2, TILE_WALL);
  Object(15, 4, TILE_BOX);
  // The wall's right strip, drawn after the box's frame, reaches over its body and corner.
  Object(22, 3, TILE_BOX);
  Object(20, 4, TILE_WALL);
  // A place in the object layer, with a wall frame of the next row over its body.
  Object(10, 10, TILE_PLACE);
  Object(9, 11, TILE_WALL);
  Object(4, 10, TILE_BOX).row = 1;
  board.DrawBoard(screen);

  EXPECT_EQ(InFrame(16, 2, 30, 55), Is(TILE_BOX, STRIP)) << "the later row's strip on top";
  EXPECT_EQ(InFrame(16, 2, 5, 55), Is(TILE_BOX, BODY)) << "the later body over the corner";
  EXPECT_EQ(InFrame(20, 4, 50, 10), Is(TILE_BOX, BODY)) << "an earlier body over a strip";
  EXPECT_EQ(InFrame(20, 4, 50, 30), Is(TILE_BOX, CORNER)) << "an earlier corner over a strip";
  EXPECT_EQ(InFrame(10, 10, 29, 29), Is(TILE_PLACE, BODY)) << "over the wall's right strip";
  EXPECT_EQ(InFrame(10, 10, 5, 55), Is(TILE_WALL, BODY)) << "the wall's body comes later";
  EXPECT_EQ(InFrame(10, 10, 55, 5), 0u) << "a place has no right strip";
  EXPECT_EQ(InFrame(10, 10, 55, 55), 0u) << "no bottom strip, nothing at the ground position";
  EXPECT_EQ(InFrame(4, 10, 5, 5), Is(TILE_BOX, BODY, 1)) << "a placed box's second sheet row";
}

TEST_F(Board, ALevelIsCompleteWhenExactlyBoxCountBoxesRestOnPlaces) {
  game.RunFrame(0.010f);
  EXPECT_EQ(game.screenState, GAME_WIN) << "a level without boxes, in its first frame";

  // Boxes on the places in columns 2, 6 and 10, and half off those in 14, 18 and 22.
  for (int column : {2, 6, 10, 14, 18, 22}) {
    Ground(column, 4, TILE_PLACE);
  }
  for (int column : {2, 6, 10, 15}) {
    Object(column, 4, TILE_BOX);
  }
  Object(18, 5, TILE_BOX);
  Object(21, 3, TILE_BOX);
  for (int boxCount : {2, 4, 3}) {
    board.boxCount = static_cast<uint8_t>(boxCount);
    game.screenState = GAME_PLAY;
    game.RunFrame(0.010f);
    EXPECT_EQ(game.screenState, boxCount == 3 ? GAME_WIN : GAME_PLAY) << boxCount << " asked for";
  }
  EXPECT_EQ(board.objectLayer[4][2].row, 1);
  EXPECT_EQ(board.objectLayer[5][18].row, 0);
}

TEST_F(Board, AGlidingBoxCountsAtOnceButLightsUpTheFrameAfterItsGlideEnds) {
  Ground(6, 6, TILE_PLACE);
  Tile& box = Object(6, 6, TILE_BOX);
  box.destY = box.y;
  box.y -= 24;
  box.direction = DIR_DOWN;
  box.moving = 1;
  board.boxCount = 1;
  board.CheckComplete();
  EXPECT_EQ(game.screenState, GAME_WIN) << "complete in the frame of the push";
  EXPECT_EQ(box.row, 0);

  // With a second box asked for, play goes on; at 5 pixels a frame the glide
  // ends in the fifth frame, whose check ran before it ended.
  board.boxCount = 2;
  game.screenState = GAME_PLAY;
  for (int frame = 1; frame <= 6; frame++) {
    game.RunFrame(0.034f);
    EXPECT_EQ(box.row, frame == 6 ? 1 : 0) << "frame " << frame;
  }
}

}  // namespace
