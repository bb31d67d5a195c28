// frame_bench.cpp: where a frame of the game goes, with the game's own
// pictures. The board's share (completion check, glides, drawing) on the
// fullest board the rules allow and on the pack's largest level, the whole
// play frame, and a copy of the screen's bytes as the least a frame can cost;
// on the dummy driver, and on a real X display (DISPLAY, SDL_VIDEODRIVER=x11)
// the loop's frame with its update of the screen.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "board/level.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "shell/game.h"

namespace {

// The game as start-up leaves it, run from the repository: the display, the
// nine pictures, the font and the pack, on the driver SDL_VIDEODRIVER names.
struct BenchGame {
  BenchGame() {
    SDL_Init(SDL_INIT_VIDEO);
    game.fullscreen = 0;
    game.InitDisplay();
    game.LoadImages();
    game.level = &board;
    game.LoadLevelPak("level/standart");
    game.keys = SDL_GetKeyState(nullptr);
    game.screenState = GAME_PLAY;
    theGame = &game;
  }
  ~BenchGame() {
    game.FreeImages();
    delete game.font;
    theGame = nullptr;
    SDL_Quit();
  }
  CGame game;
  CLevel board;
};

// Anchors every second cell, walls and boxes on floors and places: 108
// objects, the most a level can hold. More boxes than places, so the level
// never counts as solved and the frame stays a play frame.
void FillFullest(CLevel& board) {
  for (int r = 0; r < BOARD_ROWS; r++) {
    for (int c = 0; c < BOARD_COLUMNS; c++) {
      const bool anchor = r % 2 == 0 && c % 2 == 0 && r < BOARD_ROWS - 1 && c < BOARD_COLUMNS - 1;
      const int ground = !anchor ? TILE_NONE : (r + c) % 8 == 0 ? TILE_PLACE : TILE_FLOOR;
      const int object = !anchor ? TILE_NONE : (r + c) % 4 == 0 ? TILE_BOX : TILE_WALL;
      board.groundLayer[r][c].Init(CELL_SIZE * c, CELL_SIZE * r, GROUND_FRAME, GROUND_FRAME,
                                   ground);
      board.objectLayer[r][c].Init(CELL_SIZE * c - OBJECT_OVERHANG, CELL_SIZE * r - OBJECT_OVERHANG,
                                   OBJECT_FRAME, OBJECT_FRAME, object);
    }
  }
  board.heroX = 8;
  board.heroY = 8;
  board.objectLayer[8][8].kind = TILE_HERO;
  board.boxCount = 255;
}

int DrawnTiles(const CLevel& board) {
  int count = 0;
  for (int r = 0; r < BOARD_ROWS; r++) {
    for (int c = 0; c < BOARD_COLUMNS; c++) {
      count +=
          (board.objectLayer[r][c].kind != TILE_NONE) + (board.groundLayer[r][c].kind != TILE_NONE);
    }
  }
  return count;
}

// Loads the level of the pack with the most tiles to draw.
void LoadLargest(BenchGame& bench) {
  uint32_t largest = 1;
  int most = -1;
  for (uint32_t number = 1; number <= bench.game.levelList.size(); number++) {
    bench.game.LoadLevel(number);
    if (DrawnTiles(bench.board) > most) {
      most = DrawnTiles(bench.board);
      largest = number;
    }
  }
  bench.game.LoadLevel(largest);
}

// Keeps the hero gliding, as while an arrow key is held, without stepping.
void KeepHeroGliding(CLevel& board) {
  Tile& hero = board.objectLayer[board.heroY][board.heroX];
  if (!hero.moving) {
    hero.destY = hero.y;
    hero.y += CELL_SIZE;
    hero.direction = DIR_UP;
    hero.moving = 1;
  }
}

void SetUp(BenchGame& bench, benchmark::State& state) {
  if (state.range(0) == 0) {
    FillFullest(bench.board);
  } else {
    LoadLargest(bench);
  }
  state.counters["tiles"] = DrawnTiles(bench.board);
}

void BM_BoardWork(benchmark::State& state) {
  BenchGame bench;
  SetUp(bench, state);
  for (auto _ : state) {
    KeepHeroGliding(bench.board);
    bench.board.CheckComplete();
    bench.board.AnimateTiles(0.016f);
    bench.board.DrawBoard(bench.game.screen);
  }
}

void BM_PlayFrame(benchmark::State& state) {
  BenchGame bench;
  SetUp(bench, state);
  for (auto _ : state) {
    KeepHeroGliding(bench.board);
    bench.game.RunFrame(0.016f);
  }
}

// The floor under any frame: one copy of the screen's bytes.
void BM_ScreenCopy(benchmark::State& state) {
  BenchGame bench;
  SDL_Surface* screen = bench.game.screen;
  const size_t size = static_cast<size_t>(screen->pitch) * screen->h;
  std::vector<char> copy(size);
  for (auto _ : state) {
    memcpy(copy.data(), screen->pixels, size);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * size);
}

// The main loop's frame on a real display: events, the 1 ms wait, the play
// frame and the update of the whole screen.
void BM_LoopFrame(benchmark::State& state) {
  BenchGame bench;
  LoadLargest(bench);
  for (auto _ : state) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    SDL_Delay(1);
    KeepHeroGliding(bench.board);
    bench.game.RunFrame(0.016f);
    bench.game.Present();
  }
}

// The update of the whole screen alone, and the loop's bound: the wait and
// the update with nothing drawn.
void BM_Present(benchmark::State& state) {
  BenchGame bench;
  for (auto _ : state) {
    bench.game.Present();
  }
}

void BM_LoopBound(benchmark::State& state) {
  BenchGame bench;
  for (auto _ : state) {
    SDL_Delay(1);
    bench.game.Present();
  }
}

// The game's own rules for one step and its undo, on the pack's largest
// level: the yardstick for the solver's states per second, whose model
// replaces these rules in the search.
void BM_RulesStep(benchmark::State& state) {
  BenchGame bench;
  LoadLargest(bench);
  const int directions[] = {DIR_UP, DIR_LEFT, DIR_DOWN, DIR_RIGHT};
  int64_t steps = 0;
  for (auto _ : state) {
    for (int direction : directions) {
      if (bench.board.Move(direction)) {
        bench.board.AnimateTiles(1);
        bench.board.Undo();
        steps++;
      }
    }
  }
  state.counters["steps/s"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_BoardWork)->ArgName("largest")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlayFrame)->ArgName("largest")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScreenCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoopFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Present)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoopBound)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RulesStep)->Unit(benchmark::kMicrosecond);

}  // namespace
