// classic_rooms.h: small rooms of whole squares, the size of levels written
// in the genre's classic notation, for measuring the solver.
#pragma once

#include <random>
#include <string>

#include "board/level.h"

// A walled room of at most `columns` x `rows` squares with `boxes` boxes pulled
// away from their places by random reverse play, so it can be solved. Square
// (c, r) is written to anchor (2c, 2r): walls, boxes, the hero, places, and
// floor under every square the hero can reach. `squares` gets the room in the
// classic notation.
void ClassicRoom(std::mt19937* random, int columns, int rows, int boxes, CLevel* level,
                 std::string* squares);
