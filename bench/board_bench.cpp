// board_bench.cpp: the board's share of one play frame: completion check,
// animation pass and the four drawing passes, on a full board.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "board/level.h"
#include "shell/game.h"

namespace {

// A picture sheet of the real size, converted like the loaded ones: display
// format, magenta keyed out with run-length acceleration. A 4-pixel magenta
// border in every frame gives the blits transparent runs to skip.
SDL_Surface* Sheet(int columns, int rows, int size, Uint8 red) {
  SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, columns * size, rows * size, 32,
                                            0xff0000, 0xff00, 0xff, 0);
  SDL_FillRect(sheet, nullptr, SDL_MapRGB(sheet->format, 255, 0, 255));
  for (int row = 0; row < rows; row++) {
    for (int column = 0; column < columns; column++) {
      SDL_Rect inside = {static_cast<Sint16>(column * size + 4),
                         static_cast<Sint16>(row * size + 4), static_cast<Uint16>(size - 8),
                         static_cast<Uint16>(size - 8)};
      SDL_FillRect(sheet, &inside, SDL_MapRGB(sheet->format, red, 40 * row, 60 * column));
    }
  }
  SDL_SetColorKey(sheet, SDL_SRCCOLORKEY | SDL_RLEACCEL, SDL_MapRGB(sheet->format, 255, 0, 255));
  SDL_Surface* converted = SDL_DisplayFormat(sheet);
  SDL_FreeSurface(sheet);
  return converted;
}

// Fills the board with anchors every `spacing` cells: 2 gives the fullest
// level the rules allow (120 objects on 120 floors, every fourth one a place),
// 1 puts a tile in each of the 1000 cells, the most a board can ever draw.
void FillBoard(CLevel& board, int spacing) {
  for (int r = 0; r < BOARD_ROWS; r++) {
    for (int c = 0; c < BOARD_COLUMNS; c++) {
      const bool anchor = r % spacing == 0 && c % spacing == 0 &&
                          (spacing == 1 || (r < BOARD_ROWS - 1 && c < BOARD_COLUMNS - 1));
      const int ground = !anchor ? TILE_NONE : (r + c) % 8 == 0 ? TILE_PLACE : TILE_FLOOR;
      const int object = !anchor ? TILE_NONE : (r + c) % 4 == 0 ? TILE_BOX : TILE_WALL;
      board.groundLayer[r][c].Init(CELL_SIZE * c, CELL_SIZE * r, GROUND_FRAME, GROUND_FRAME,
                                   ground);
      board.objectLayer[r][c].Init(CELL_SIZE * c - OBJECT_OVERHANG, CELL_SIZE * r - OBJECT_OVERHANG,
                                   OBJECT_FRAME, OBJECT_FRAME, object);
    }
  }
  board.objectLayer[8][8].Init(CELL_SIZE * 8 - OBJECT_OVERHANG, CELL_SIZE * 8 - OBJECT_OVERHANG,
                               OBJECT_FRAME, OBJECT_FRAME, TILE_HERO);
  // More boxes than any level has, so the level never counts as solved.
  board.boxCount = 255;
}

// Keeps the hero gliding, as while an arrow key is held.
void KeepHeroGliding(Tile& hero) {
  if (!hero.moving) {
    hero.destY = hero.y;
    hero.y += CELL_SIZE;
    hero.direction = DIR_UP;
    hero.moving = 1;
  }
}

void BM_BoardFrame(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  SDL_Init(SDL_INIT_VIDEO);
  CGame game;
  game.screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, SDL_SWSURFACE);
  game.heroImage = Sheet(4, 4, OBJECT_FRAME, 200);
  game.boxImage = Sheet(1, 2, OBJECT_FRAME, 150);
  game.wallImage = Sheet(1, 1, OBJECT_FRAME, 100);
  game.placeImage = Sheet(1, 1, GROUND_FRAME, 50);
  game.floorImage = Sheet(1, 1, GROUND_FRAME, 20);
  CLevel* board = new CLevel;
  game.level = board;
  theGame = &game;
  FillBoard(*board, static_cast<int>(state.range(0)));

  for (auto _ : state) {
    KeepHeroGliding(board->objectLayer[8][8]);
    board->CheckComplete();
    board->AnimateTiles(0.016f);
    board->DrawBoard(game.screen);
  }
  benchmark::DoNotOptimize(game.screen->pixels);

  theGame = nullptr;
  delete board;
  for (SDL_Surface* sheet :
       {game.heroImage, game.boxImage, game.wallImage, game.placeImage, game.floorImage}) {
    SDL_FreeSurface(sheet);
  }
  SDL_Quit();
}
BENCHMARK(BM_BoardFrame)->ArgName("spacing")->Arg(2)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
