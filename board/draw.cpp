// draw.cpp: the board's per-frame work: completion check, glides and drawing.
#include "board/level.h"
#include "shell/game.h"

void CLevel::CheckComplete() {
  int count = 0;
  for (int r = 0; r < BOARD_ROWS; r++) {
    for (int c = 0; c < BOARD_COLUMNS; c++) {
      Tile& object = objectLayer[r][c];
      if (groundLayer[r][c].kind == TILE_PLACE && object.kind == TILE_BOX) {
        // The highlight waits until the box has come to rest, but a gliding
        // box already counts: the level is solved in the frame of the push.
        object.row = object.moving ? 0 : 1;
        count++;
      }
    }
  }
  if (loaded && count == boxCount && theGame) {
    theGame->WinFrame();
  }
}

void CLevel::AnimateTiles(float frameTime) {
  for (int r = 0; r < BOARD_ROWS; r++) {
    for (int c = 0; c < BOARD_COLUMNS; c++) {
      groundLayer[r][c].Animate(frameTime);
      objectLayer[r][c].Animate(frameTime);
    }
  }
}

void CLevel::DrawBoard(SDL_Surface* target) {
  for (int r = 0; r < BOARD_ROWS; r++) {
    for (int c = 0; c < BOARD_COLUMNS; c++) {
      if (groundLayer[r][c].kind == TILE_FLOOR) {
        groundLayer[r][c].DrawFull(target);
      }
    }
  }
  for (int r = 0; r < BOARD_ROWS; r++) {
    for (int c = 0; c < BOARD_COLUMNS; c++) {
      if (groundLayer[r][c].kind == TILE_PLACE) {
        groundLayer[r][c].DrawFull(target);
      }
    }
  }
  // Whole object frames: a frame lower or further right covers the upper and
  // left parts of the one before it.
  for (int r = 0; r < BOARD_ROWS; r++) {
    for (int c = 0; c < BOARD_COLUMNS; c++) {
      const int kind = objectLayer[r][c].kind;
      if (kind == TILE_HERO || kind == TILE_BOX || kind == TILE_WALL) {
        objectLayer[r][c].DrawFull(target);
      }
    }
  }
  // The rims along a frame's right and bottom edges must not cover the bodies
  // of its neighbours, so every body and lower-left corner is drawn again on
  // top of them.
  for (int r = 0; r < BOARD_ROWS; r++) {
    for (int c = 0; c < BOARD_COLUMNS; c++) {
      objectLayer[r][c].DrawBody(target);
      objectLayer[r][c].DrawRimCorner(target);
    }
  }
}
