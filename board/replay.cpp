// replay.cpp: playing a string of move letters through the board's own rules.
#include "board/replay.h"

#include <cctype>

int DirectionOfLetter(char letter) {
  switch (letter) {
    case 'u':
    case 'U':
      return DIR_UP;
    case 'd':
    case 'D':
      return DIR_DOWN;
    case 'l':
    case 'L':
      return DIR_LEFT;
    case 'r':
    case 'R':
      return DIR_RIGHT;
    default:
      return 0;
  }
}

char LetterOf(int direction, bool pushed) {
  char letter = 0;
  switch (direction) {
    case DIR_UP:
      letter = 'u';
      break;
    case DIR_DOWN:
      letter = 'd';
      break;
    case DIR_LEFT:
      letter = 'l';
      break;
    case DIR_RIGHT:
      letter = 'r';
      break;
    default:
      return 0;
  }
  return pushed ? static_cast<char>(toupper(letter)) : letter;
}

int PlacedBoxCount(const CLevel& level) {
  int count = 0;
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      if (level.groundLayer[row][column].kind == TILE_PLACE &&
          level.objectLayer[row][column].kind == TILE_BOX) {
        count++;
      }
    }
  }
  return count;
}

bool IsSolved(const CLevel& level) {
  return PlacedBoxCount(level) == level.boxCount;
}

bool ReplayMoves(CLevel* level, const std::string& moves, std::string* error) {
  size_t length = moves.size();
  if (length > 0 && moves[length - 1] == '\n') {
    length--;
  }
  // Editors on some systems end the line with CR LF.
  if (length > 0 && moves[length - 1] == '\r') {
    length--;
  }
  bool casesMarkPushes = false;
  for (size_t i = 0; i < length; i++) {
    casesMarkPushes = casesMarkPushes || islower(static_cast<unsigned char>(moves[i]));
  }
  // A level saved mid-glide would refuse the first step.
  level->AnimateTiles(1);
  for (size_t i = 0; i < length; i++) {
    const char letter = moves[i];
    const std::string step = "step " + std::to_string(i + 1) + " '" + letter + "': ";
    const int direction = DirectionOfLetter(letter);
    if (direction == 0) {
      *error = step + "not a move letter (u d l r, U D L R)";
      return false;
    }
    const int pushesBefore = level->pushCount;
    if (!level->Move(direction)) {
      *error = step + "the hero can't go that way";
      return false;
    }
    // One second moves every glide further than the 24 pixels of a step.
    level->AnimateTiles(1);
    const bool pushed = level->pushCount != pushesBefore;
    if (casesMarkPushes && pushed != (isupper(static_cast<unsigned char>(letter)) != 0)) {
      *error = step + (pushed ? "the step pushes a box" : "the step pushes no box");
      return false;
    }
  }
  return true;
}
