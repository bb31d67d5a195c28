// pictures.h: the pictures the art generator draws, one function each.
#pragma once

#include "tools/art/font.h"
#include "tools/art/paint.h"

namespace art {

// Object frames and ground cells, as the board draws them.
const int FRAME = 62;
const int BODY = 48;
const int RIM = 14;

Canvas DrawWall();
Canvas DrawBox();
Canvas DrawFloor();
Canvas DrawPlace();
Canvas DrawHero();
Canvas DrawBackground();
Canvas DrawCursor();
Canvas DrawWin(const Type& type);
Canvas DrawFontSheet(const CellFont& font);
// The application icon, `size` pixels square: 128, or less for a smaller one.
Canvas DrawIcon(int size);

}  // namespace art
