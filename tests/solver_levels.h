// solver_levels.h: boards for the solver tests: small pictures of rooms and
// random levels with objects half a block apart.
#pragma once

#include <random>
#include <string>

#include "board/level.h"

// Puts an object-layer and a ground-layer tile at a cell, as a load would.
void PlaceTiles(CLevel* level, int column, int row, int object, int ground);

// A board loaded from a picture of cells, rows split by '|', its top left at
// column 2, row 2: '#' wall, '$' box, '@' hero, 'o' place, '*' box on a place,
// '+' hero on a place; other characters hold nothing.
void PictureLevel(CLevel* level, const std::string& picture);

// A random level: a room of `columns` x `rows` cells (even numbers) at a
// random spot, holding the hero, `boxes` boxes, some walls and as many places
// as boxes at random anchors half a block apart, no two bodies overlapping;
// with `border` a closed ring of walls around the room.
void RandomLevel(std::mt19937* random, CLevel* level, int columns, int rows, int boxes,
                 bool border);
