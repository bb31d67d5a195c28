// replay.h: playing a string of move letters through the board's own rules.
//
// Solutions are written in the genre's letters: u d l r for a step, U D L R
// for a step that pushes a box. A solution is proof only once CLevel::Move has
// accepted every letter, so the solver, the level tool and the tests all check
// solutions here.
#pragma once

#include <string>

#include "board/level.h"

// The direction code of a letter u/U, d/D, l/L or r/R; 0 for any other.
int DirectionOfLetter(char letter);
// The letter of a direction code: lower case for a step, upper case for a step
// that pushes. 0 for a code that is no direction.
char LetterOf(int direction, bool pushed);

// Boxes anchored on the anchor of a place, counted as the completion check
// counts them.
int PlacedBoxCount(const CLevel& level);
// True when exactly `boxCount` boxes rest on places; unlike the completion
// check it calls nothing of the game.
bool IsSolved(const CLevel& level);

// Plays `moves` through CLevel::Move, ending each glide before the next step.
// A string with any lower-case letter marks pushes by case, and a letter whose
// case disagrees with what happened is an error; a string without lower-case
// letters (the pack's stored solutions) is plain directions. A final line feed
// or CR LF is allowed; any other character is an error. Returns false with `error`
// naming the step ("step 12 'U': ...") at the first refused or wrong step; the
// board then holds the steps before it.
bool ReplayMoves(CLevel* level, const std::string& moves, std::string* error);
