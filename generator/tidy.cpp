// tidy.cpp: floors under the whole inside, and the room in the middle.
#include "generator/tidy.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "generator/room.h"
#include "shell/game.h"

namespace {

// Bodies may go round the board wholly off it, where nothing stands.
const int PAD = 2;
const int PADDED_COLUMNS = BOARD_COLUMNS + 2 * PAD;
const int PADDED_ROWS = BOARD_ROWS + 2 * PAD;

struct Rect {
  int left, top, right, bottom;  // right and bottom are past the last pixel
};

// Where the HUD writes, 7 x 14 pixel glyphs, as far as its widest texts
// reach ("FPS 1000.00", "MOVE 9999"): the frame rate top left, the four
// counter lines top right, the four help lines bottom left and the credit line
// bottom right. Glyphs leave their cell's top two rows blank.
const Rect HUD_TEXT[] = {
    {0, 2, 77, 14},
    {560, 2, 623, 55},
    {1, 426, 155, 479},
    {400, 468, 596, SCREEN_HEIGHT},
};

bool Meets(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool UnderHud(const Rect& picture) {
  return std::any_of(std::begin(HUD_TEXT), std::end(HUD_TEXT),
                     [&](const Rect& text) { return Meets(picture, text); });
}

Rect WallPicture(int anchor) {
  const int x = CELL_SIZE * ColumnOf(anchor) - OBJECT_OVERHANG;
  const int y = CELL_SIZE * RowOf(anchor) - OBJECT_OVERHANG;
  return {x, y, x + 2 * CELL_SIZE + OBJECT_OVERHANG, y + 2 * CELL_SIZE + OBJECT_OVERHANG};
}

Rect GroundPicture(int anchor) {
  const int x = CELL_SIZE * ColumnOf(anchor);
  const int y = CELL_SIZE * RowOf(anchor);
  return {x, y, x + 2 * CELL_SIZE, y + 2 * CELL_SIZE};
}

bool OnBoard(int column, int row) {
  return column >= 0 && column < BOARD_COLUMNS && row >= 0 && row < BOARD_ROWS;
}

}  // namespace

AnchorSet InsideCells(const std::vector<int>& walls) {
  const AnchorSet wallCells = CoveredCells([&] {
    AnchorSet anchors;
    for (int wall : walls) {
      anchors.set(wall);
    }
    return anchors;
  }());
  // Padded cells: (column + PAD, row + PAD); a body anchored at padded (c, r)
  // covers (c, r) to (c + 1, r + 1) and must meet no wall cell.
  auto blocked = [&](int paddedColumn, int paddedRow) {
    const int column = paddedColumn - PAD;
    const int row = paddedRow - PAD;
    return OnBoard(column, row) && wallCells[AnchorAt(column, row)];
  };
  auto fits = [&](int c, int r) {
    return c >= 0 && r >= 0 && c + 1 < PADDED_COLUMNS && r + 1 < PADDED_ROWS && !blocked(c, r) &&
           !blocked(c + 1, r) && !blocked(c, r + 1) && !blocked(c + 1, r + 1);
  };
  std::vector<bool> seen(PADDED_COLUMNS * PADDED_ROWS, false);
  std::vector<int> queue = {0};
  seen[0] = true;
  AnchorSet outside;
  while (!queue.empty()) {
    const int at = queue.back();
    queue.pop_back();
    const int c = at % PADDED_COLUMNS;
    const int r = at / PADDED_COLUMNS;
    for (int dy = 0; dy <= 1; dy++) {
      for (int dx = 0; dx <= 1; dx++) {
        if (OnBoard(c + dx - PAD, r + dy - PAD)) {
          outside.set(AnchorAt(c + dx - PAD, r + dy - PAD));
        }
      }
    }
    const int next[4][2] = {{c + 1, r}, {c - 1, r}, {c, r + 1}, {c, r - 1}};
    for (const auto& [nc, nr] : next) {
      if (fits(nc, nr) && !seen[nr * PADDED_COLUMNS + nc]) {
        seen[nr * PADDED_COLUMNS + nc] = true;
        queue.push_back(nr * PADDED_COLUMNS + nc);
      }
    }
  }
  return ~(outside | wallCells);
}

bool CloseSlots(Design* design) {
  for (;;) {
    AnchorSet walls;
    for (int wall : design->walls) {
      walls.set(wall);
    }
    const AnchorSet wallCells = CoveredCells(walls);
    const AnchorSet inside = InsideCells(design->walls);
    int leak = -1;
    for (int cell = 0; cell < ANCHORS && leak < 0; cell++) {
      const int column = ColumnOf(cell);
      const int row = RowOf(cell);
      if (inside[cell] || wallCells[cell]) {
        continue;
      }
      const int next[4][2] = {
          {column + 1, row}, {column - 1, row}, {column, row + 1}, {column, row - 1}};
      for (const auto& [c, r] : next) {
        if (OnBoard(c, r) && inside[AnchorAt(c, r)]) {
          leak = cell;
        }
      }
    }
    if (leak < 0) {
      return true;
    }
    // A wall over the slot's mouth, on cells outside only.
    int cap = -1;
    for (int dy = -1; dy <= 0 && cap < 0; dy++) {
      for (int dx = -1; dx <= 0 && cap < 0; dx++) {
        const int column = ColumnOf(leak) + dx;
        const int row = RowOf(leak) + dy;
        if (!OnBoard(column, row) || !OnBoard(column + 1, row + 1)) {
          continue;
        }
        AnchorSet body;
        body.set(AnchorAt(column, row));
        if ((CoveredCells(body) & (inside | wallCells)).none()) {
          cap = AnchorAt(column, row);
        }
      }
    }
    if (cap < 0) {
      return false;
    }
    design->walls.push_back(cap);
    std::sort(design->walls.begin(), design->walls.end());
  }
}

bool FloorInside(Design* design) {
  AnchorSet walls;
  for (int wall : design->walls) {
    walls.set(wall);
  }
  const AnchorSet inside = InsideCells(design->walls);
  const AnchorSet allowed = inside | CoveredCells(walls);
  AnchorSet places;
  for (int place : design->places) {
    places.set(place);
  }
  AnchorSet covered = CoveredCells(places);
  design->floors.clear();
  bool complete = true;
  for (int cell = 0; cell < ANCHORS; cell++) {
    if (!inside[cell] || covered[cell]) {
      continue;
    }
    // Of the four floors that would cover the cell, the one that covers most
    // of what is still bare.
    int best = -1;
    int bestCount = 0;
    for (int dy = -1; dy <= 0; dy++) {
      for (int dx = -1; dx <= 0; dx++) {
        const int column = ColumnOf(cell) + dx;
        const int row = RowOf(cell) + dy;
        if (!OnBoard(column, row) || !OnBoard(column + 1, row + 1) ||
            places[AnchorAt(column, row)]) {
          continue;
        }
        AnchorSet body;
        body.set(AnchorAt(column, row));
        const AnchorSet cells = CoveredCells(body);
        if ((cells & ~allowed).any()) {
          continue;
        }
        const int count = static_cast<int>((cells & inside & ~covered).count());
        if (count > bestCount) {
          best = AnchorAt(column, row);
          bestCount = count;
        }
      }
    }
    if (best < 0) {
      complete = false;
      continue;
    }
    design->floors.push_back(best);
    AnchorSet body;
    body.set(best);
    covered |= CoveredCells(body);
  }
  std::sort(design->floors.begin(), design->floors.end());
  return complete;
}

bool UnderHudText(const Design& design) {
  const auto any = [](const std::vector<int>& anchors, Rect (*picture)(int)) {
    return std::any_of(anchors.begin(), anchors.end(),
                       [&](int anchor) { return UnderHud(picture(anchor)); });
  };
  return any(design.walls, WallPicture) || any(design.floors, GroundPicture) ||
         any(design.places, GroundPicture);
}

bool CentreRoom(Design* design) {
  if (design->walls.empty()) {
    return false;
  }
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  for (int wall : design->walls) {
    left = std::min(left, ColumnOf(wall));
    right = std::max(right, ColumnOf(wall));
    top = std::min(top, RowOf(wall));
    bottom = std::max(bottom, RowOf(wall));
  }
  // The walls' pictures reach OBJECT_OVERHANG pixels left of and above their
  // cells; the first column and row would lose that much off the screen. A
  // room too big to keep clear of the HUD still goes where it is most
  // centred on the screen.
  int bestDx = 0, bestDy = 0, bestDistance = INT_MAX;
  bool clear = false;
  for (int dy = 1 - top; bottom + dy <= BOARD_ROWS - 2; dy++) {
    for (int dx = 1 - left; right + dx <= BOARD_COLUMNS - 2; dx++) {
      const int middleX = (CELL_SIZE * (left + right + 2 * dx + 2) - OBJECT_OVERHANG) / 2;
      const int middleY = (CELL_SIZE * (top + bottom + 2 * dy + 2) - OBJECT_OVERHANG) / 2;
      const int offX = std::abs(2 * middleX - SCREEN_WIDTH) / 2;
      const int offY = std::abs(2 * middleY - SCREEN_HEIGHT) / 2;
      const int distance = offX * offX + offY * offY;
      Design moved = *design;
      for (std::vector<int>* anchors : {&moved.walls, &moved.floors, &moved.places, &moved.boxes}) {
        for (int& anchor : *anchors) {
          anchor += AnchorAt(dx, dy);
        }
      }
      const bool movedClear = offX <= CELL_SIZE && offY <= CELL_SIZE && !UnderHudText(moved);
      if ((movedClear && !clear) || (movedClear == clear && distance < bestDistance)) {
        bestDx = dx;
        bestDy = dy;
        bestDistance = distance;
        clear = movedClear;
      }
    }
  }
  const int shift = AnchorAt(bestDx, bestDy);
  for (std::vector<int>* anchors :
       {&design->walls, &design->floors, &design->places, &design->boxes}) {
    for (int& anchor : *anchors) {
      anchor += shift;
    }
  }
  if (design->hero >= 0) {
    design->hero += shift;
  }
  return clear;
}
