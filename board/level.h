// level.h: the board being played.
//
// A CLevel holds where the hero stands, how many boxes must be placed, the move
// and push counters, the two tile layers and the undo journal. It reads level
// files into itself, applies the move and push rules, takes steps back, checks
// for completion and draws itself. The rules need no window: a CLevel can be
// loaded, copied, stepped and compared in a test.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <string>

#include "gfx/tile.h"

const int BOARD_COLUMNS = 25;
const int BOARD_ROWS = 20;
const int CELL_SIZE = 24;
// Object frames reach this far above and left of their anchor cell.
const int OBJECT_OVERHANG = 14;
const int UNDO_CAPACITY = 1024;

// One taken step: its direction, the hero tile's direction before it, and the
// anchor of the box it pushed before the push, (0, 0) when nothing was pushed.
struct UndoEntry {
  int32_t direction = 0;
  int32_t heroDirection = 0;
  int32_t boxX = 0;
  int32_t boxY = 0;
};

class CLevel {
 public:
  virtual ~CLevel() = default;

  // Reads a level file. Prints the OK line or an error line naming the path.
  // Only a complete read changes the board; a file that cannot be opened or
  // ends early leaves board, counters and journal exactly as they were.
  void Load(const char* path);

  // One request to go in a direction. Returns true when a step (with or
  // without a push) has started; false changes nothing.
  bool Move(int direction);
  // Moves the hero's anchor one cell and starts its glide. Last in a step.
  void StepHero(int direction);
  // Moves the box anchored at (boxX, boxY) one cell and starts its glide.
  void PushBox(int boxX, int boxY, int direction);

  // Writes the journal entry for a step about to start; called before the
  // board changes. When the journal is full the oldest entry is dropped.
  void RecordStep(int boxX, int boxY, int direction);
  // Takes the last step back at once, without a glide. Empty journal: nothing.
  void Undo();

  // Highlights boxes resting on places and calls WinFrame on `theGame` when
  // exactly `boxCount` of them do, once a level has been loaded.
  void CheckComplete();
  // Advances every glide by one frame.
  void AnimateTiles(float frameTime);
  // Paints ground, places, objects, then bodies and rim corners again.
  void DrawBoard(SDL_Surface* target);

  uint8_t heroX = 0;
  uint8_t heroY = 0;
  uint8_t boxCount = 0;
  int32_t moveCount = 0;
  int32_t pushCount = 0;
  char magic[18] = {};
  int8_t infoLength[5] = {};
  char infoText1[30] = {};
  char infoText2[255] = {};
  char infoText3[50] = {};
  char infoText4[50] = {};
  char infoText5[50] = {};
  Tile objectLayer[BOARD_ROWS][BOARD_COLUMNS];
  Tile groundLayer[BOARD_ROWS][BOARD_COLUMNS];
  UndoEntry undoJournal[UNDO_CAPACITY];
  int32_t undoCount = 0;
  // Set by the first complete Load. A board that no level ever filled has
  // boxCount 0 and no box on a place, which the completion rule would call
  // solved; after a failed start it must show the empty room instead.
  bool loaded = false;
};

// Reads the bytes of a level file into `level` as CLevel::Load reads a file,
// printing nothing, and empties the counters and the journal. False, with
// `level` unchanged, when the bytes end before the ground layer does. The
// magic is stored as given and not checked.
bool FillLevel(const std::string& bytes, CLevel* level);
