// tidy.h: a room made to look finished: floor under all of its inside, and
// the room in the middle of the screen, clear of the HUD's text.
#pragma once

#include "generator/design.h"

// The cells inside the room: those no 2 x 2 body can reach from beyond the
// board's edge without crossing a wall, walls' own cells left out. Slots and
// pits too narrow for the hero are inside.
std::bitset<ANCHORS> InsideCells(const std::vector<int>& walls);

// Closes with walls outside the room every slot between walls that is too
// narrow for the hero but lets the background meet the floor. False when a
// slot's mouth has no room for a wall; a slot open at the board's edge is
// left as it is (centre the room first).
bool CloseSlots(Design* design);

// Floor under every inside cell that no place covers, each floor on inside or
// wall cells only, so none shows beyond the walls. False when a cell can't be
// covered so; the floors laid stay.
bool FloorInside(Design* design);

// Whether any pixel that the room's walls, floors or places can cover lies in
// the text the HUD writes over the board: the frame rate, the level's
// counters, the key help and the credit line.
bool UnderHudText(const Design& design);

// Moves the whole design by whole cells so that its walls sit within a cell of
// the screen's middle, on the screen and clear of the HUD text, as near the
// middle as that allows. False when no such place exists; the design is then
// left where it was.
bool CentreRoom(Design* design);
