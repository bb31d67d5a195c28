// undo.cpp: the undo journal: one entry per step, taken back most recent first.
#include <algorithm>

#include "board/grid.h"
#include "board/level.h"

void CLevel::RecordStep(int boxX, int boxY, int direction) {
  // A full journal gives up its oldest step rather than its whole history, so
  // the latest UNDO_CAPACITY - 1 steps can always be taken back.
  if (undoCount >= UNDO_CAPACITY - 1) {
    std::copy(undoJournal + 1, undoJournal + UNDO_CAPACITY - 1, undoJournal);
    undoCount = UNDO_CAPACITY - 2;
  }
  // Move calls this only with the hero on the board, before the step.
  UndoEntry& entry = undoJournal[undoCount];
  entry.direction = direction;
  entry.heroDirection = objectLayer[heroY][heroX].direction;
  entry.boxX = boxX;
  entry.boxY = boxY;
  undoCount++;
}

void CLevel::Undo() {
  if (undoCount <= 0) {
    return;
  }
  undoCount--;
  const UndoEntry& entry = undoJournal[undoCount];
  const CellStep step = StepOf(entry.direction);
  const int oldX = heroX;
  const int oldY = heroY;
  const int newX = oldX - step.dx;
  const int newY = oldY - step.dy;
  // (0, 0) never stands for a pushed box: no push can start from there.
  const bool pushed = entry.boxX != 0 || entry.boxY != 0;
  const int pushedX = entry.boxX + step.dx;
  const int pushedY = entry.boxY + step.dy;

  // The rules only step and push from and to anchors on the board. An entry
  // that reaches off it did not come from them; it is given up, the board kept.
  if (!IsAnchorOnBoard(oldX, oldY) || !IsAnchorOnBoard(newX, newY)) {
    return;
  }
  if (pushed && (!IsAnchorOnBoard(entry.boxX, entry.boxY) || !IsAnchorOnBoard(pushedX, pushedY))) {
    return;
  }

  objectLayer[oldY][oldX].Init(0, 0, OBJECT_FRAME, OBJECT_FRAME, TILE_NONE);
  heroX = static_cast<uint8_t>(newX);
  heroY = static_cast<uint8_t>(newY);
  // Back at once and at rest; Init turns the hero to face down.
  Tile& hero = objectLayer[heroY][heroX];
  hero.Init(ObjectFrameEdge(heroX), ObjectFrameEdge(heroY), OBJECT_FRAME, OBJECT_FRAME, TILE_HERO);
  hero.direction = entry.heroDirection;
  moveCount--;

  if (pushed) {
    objectLayer[pushedY][pushedX].Init(0, 0, OBJECT_FRAME, OBJECT_FRAME, TILE_NONE);
    objectLayer[entry.boxY][entry.boxX].Init(ObjectFrameEdge(entry.boxX),
                                             ObjectFrameEdge(entry.boxY), OBJECT_FRAME,
                                             OBJECT_FRAME, TILE_BOX);
    pushCount--;
  }
}
