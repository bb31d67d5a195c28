// demo.cpp: renders one play frame of a demonstration board to a BMP file.
//
// Usage, from the repository root: velm2-demo OUT.bmp. The board is built here
// to show every picture in the company it keeps in play: walls side by side
// and half a block apart, floors, places with and without boxes, a box half on
// a place, and the hero in all four facings and all four walk frames. The
// frame is drawn by the game itself (pictures from data/, background, board,
// HUD and pointer) on SDL's dummy video driver, so no window opens.
#include <SDL/SDL.h>

#include <cstdio>

#include "board/level.h"
#include "picture/headless.h"
#include "shell/game.h"

namespace {

void PutGround(CLevel& board, int column, int row, int kind) {
  board.groundLayer[row][column].Init(CELL_SIZE * column, CELL_SIZE * row, GROUND_FRAME,
                                      GROUND_FRAME, kind);
}

void PutObject(CLevel& board, int column, int row, int kind) {
  board.objectLayer[row][column].Init(CELL_SIZE * column - OBJECT_OVERHANG,
                                      CELL_SIZE * row - OBJECT_OVERHANG, OBJECT_FRAME, OBJECT_FRAME,
                                      kind);
}

// Sheet rows of the hero's facings.
enum { FACE_UP = 0, FACE_DOWN = 1, FACE_LEFT = 2, FACE_RIGHT = 3 };

void PutHero(CLevel& board, int column, int row, int facing, int walkFrame) {
  PutObject(board, column, row, TILE_HERO);
  board.objectLayer[row][column].row = facing;
  board.objectLayer[row][column].frame = walkFrame;
}

// A room of 18 x 12 cells inside its walls, with a floor of whole blocks,
// walls round it and a few inside, some of them half a block out of line.
void BuildRoom(CLevel& board) {
  for (int row = 3; row <= 13; row += 2) {
    for (int column = 3; column <= 19; column += 2) {
      PutGround(board, column, row, TILE_FLOOR);
    }
  }
  // Floors overlapping half a block apart must join as cleanly as whole ones.
  PutGround(board, 8, 8, TILE_FLOOR);
  PutGround(board, 14, 12, TILE_FLOOR);
  for (int column = 1; column <= 21; column += 2) {
    PutObject(board, column, 1, TILE_WALL);
    PutObject(board, column, 15, TILE_WALL);
  }
  for (int row = 3; row <= 13; row += 2) {
    PutObject(board, 1, row, TILE_WALL);
    PutObject(board, 21, row, TILE_WALL);
  }
  // A spur from the top wall, a pair side by side half a block apart, and a
  // pair one above the other, half a block apart.
  PutObject(board, 11, 3, TILE_WALL);
  PutObject(board, 11, 5, TILE_WALL);
  PutObject(board, 5, 6, TILE_WALL);
  PutObject(board, 7, 7, TILE_WALL);
  PutObject(board, 17, 3, TILE_WALL);
  PutObject(board, 18, 5, TILE_WALL);

  // Four places; two boxes rest on places, one stands half on one, two
  // stand on the floor, one of them half a block out of line.
  PutGround(board, 4, 10, TILE_PLACE);
  PutGround(board, 6, 10, TILE_PLACE);
  PutGround(board, 4, 12, TILE_PLACE);
  PutGround(board, 6, 12, TILE_PLACE);
  PutObject(board, 4, 10, TILE_BOX);
  PutObject(board, 6, 12, TILE_BOX);
  PutObject(board, 7, 10, TILE_BOX);
  PutObject(board, 13, 5, TILE_BOX);
  PutObject(board, 14, 8, TILE_BOX);
  board.boxCount = 5;

  PutHero(board, 10, 11, FACE_DOWN, 0);
  PutHero(board, 12, 11, FACE_UP, 1);
  PutHero(board, 15, 11, FACE_LEFT, 2);
  PutHero(board, 17, 11, FACE_RIGHT, 3);
  PutHero(board, 17, 8, FACE_DOWN, 2);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    printf("usage: velm2-demo OUT.bmp (run from the repository root)\n");
    return 2;
  }
  HeadlessGame headless("velm2-demo");
  if (!headless.started) {
    return 1;
  }
  CGame& game = headless.game;
  BuildRoom(*headless.board);
  game.levelNumber = 1;
  Uint8 keys[SDLK_LAST] = {};
  game.keys = keys;
  game.mouseX = 402;
  game.mouseY = 226;
  game.screenState = GAME_PLAY;

  // The frame-rate line is refreshed only every quarter second; make it due.
  lastFpsTick = SDL_GetTicks() - 250;
  game.RunFrame(1.0f / 60);

  int result = 0;
  if (!game.screen || SDL_SaveBMP(game.screen, argv[1]) != 0) {
    printf("ERROR velm2-demo: can't write %s. %s\n", argv[1], SDL_GetError());
    result = 1;
  }
  return result;
}
