// blocks.cpp: the pictures of the board: wall and box blocks, floor and place.
#include <cstdlib>

#include "tools/art/pictures.h"

namespace art {
namespace {

// Which face of a block a pixel of an object frame shows. The top face is the
// 48 x 48 square at the upper left; the east and south sides are the
// parallelograms joining its right and bottom edges to the footprint, 14 pixels
// further down and right. On a side, `along` runs along the top face's edge and
// `depth` from that edge (0) down to the ground (13). The pixels of the
// vertical edge where both sides meet are the corner.
enum Face { FACE_NONE, FACE_TOP, FACE_EAST, FACE_SOUTH, FACE_CORNER };

struct FacePoint {
  Face face;
  int along;
  int depth;
};

FacePoint FaceAt(int x, int y) {
  if (x < BODY && y < BODY) {
    return {FACE_TOP, x, y};
  }
  if (x >= BODY && y >= BODY && x == y) {
    return {FACE_CORNER, BODY - 1, x - BODY};
  }
  if (x >= BODY) {
    const int u = x - BODY;
    if (y >= u && y < BODY + u) {
      return {FACE_EAST, y - u, u};
    }
  }
  if (y >= BODY) {
    const int v = y - BODY;
    if (x >= v && x < BODY + v) {
      return {FACE_SOUTH, x - v, v};
    }
  }
  return {FACE_NONE, 0, 0};
}

// Draws one object frame: `topAt(x, y)` colours the top face, `sideAt(along,
// depth)` the material of both sides, which are then shaded by how far they
// turn from the light and darkened towards the ground.
template <typename TopAt, typename SideAt>
void DrawBlock(Canvas& canvas, int left, int top, TopAt topAt, SideAt sideAt) {
  for (int y = 0; y < FRAME; y++) {
    for (int x = 0; x < FRAME; x++) {
      const FacePoint p = FaceAt(x, y);
      const float ground = 1.0f - 0.22f * p.depth / (RIM - 1);
      switch (p.face) {
        case FACE_NONE:
          break;
        case FACE_TOP:
          canvas.Set(left + x, top + y, topAt(x, y));
          break;
        case FACE_EAST:
          canvas.Set(left + x, top + y, Shade(sideAt(p.along, p.depth), EAST_LIGHT * ground));
          break;
        case FACE_SOUTH:
          canvas.Set(left + x, top + y, Shade(sideAt(p.along, p.depth), SOUTH_LIGHT * ground));
          break;
        case FACE_CORNER:
          canvas.Set(left + x, top + y,
                     Shade(sideAt(p.along, p.depth), (EAST_LIGHT + SOUTH_LIGHT) / 2 * ground));
          break;
      }
    }
  }
}

// The wall.

// Stone bricks 24 x 12 in staggered courses. The pattern repeats every 24
// pixels both ways, so walls join without a seam whether they stand a whole or
// half a block apart; half bricks at the edges meet their other halves.
const int BRICK_W = 24;
const int BRICK_H = 12;

Colour WallTop(int x, int y) {
  const int course = y / BRICK_H;
  const int shifted = x + (course % 2 ? BRICK_W / 2 : 0);
  const int bx = shifted % BRICK_W;
  const int by = y % BRICK_H;
  // Mortar is one pixel on each side of a joint, so joints between blocks
  // are as wide as joints within one.
  if (bx == 0 || bx == BRICK_W - 1 || by == 0 || by == BRICK_H - 1) {
    return Shade(MORTAR, 1 + 0.05f * Noise(x % BRICK_W, y % BRICK_W, 3));
  }
  const int key = (shifted / BRICK_W) % 2 + 2 * (course % 2);
  float light = 1 + 0.07f * Noise(key, 0, 1) + 0.05f * SmoothNoise(bx, by, 3, 8, 10 + key) +
                0.03f * Noise(bx, by, 20 + key);
  if (bx == 1 || by == 1) {
    light += 0.14f;
  } else if (bx == BRICK_W - 2 || by == BRICK_H - 2) {
    light -= 0.2f;
  }
  return Shade(STONE, light);
}

Colour WallSide(int along, int depth) {
  const int course = depth / 7;
  const int bx = (along + (course ? BRICK_W / 2 : 0)) % BRICK_W;
  if (depth == 6 || bx == 0 || bx == BRICK_W - 1) {
    return MORTAR;
  }
  float light = 1 + 0.04f * Noise(along, depth, 30);
  if (depth == 0 || depth == 7) {
    light += 0.1f;
  }
  return Shade(STONE, light);
}

}  // namespace

Canvas DrawWall() {
  Canvas canvas(FRAME, FRAME);
  DrawBlock(canvas, 0, 0, WallTop, WallSide);
  return canvas;
}

namespace {

// The box.

struct BoxPaint {
  Colour base;
  Colour dark;
};

// A crate lid: a frame of boards round three planks, a diagonal brace, nails.
Colour BoxTop(const BoxPaint& paint, int x, int y) {
  const int edge = std::min(std::min(x, y), std::min(BODY - 1 - x, BODY - 1 - y));
  if (edge == 0) {
    return paint.dark;
  }
  const bool across = std::min(y, BODY - 1 - y) <= std::min(x, BODY - 1 - x);
  float light = 1;
  float grain = 0;
  if (edge <= 6) {
    // Frame boards, mitred at the corners.
    const int inner = edge;
    if (inner == 6) {
      return Shade(paint.dark, 1.1f);
    }
    if (x - y == 0 || x + y == BODY - 1) {
      return Shade(paint.dark, 1.3f);
    }
    grain = across ? SmoothNoise(x, y * 5, 9, 16, 40) : SmoothNoise(x * 5, y, 9, 16, 41);
    light = 1.08f;
    if ((across && y < BODY / 2) || (!across && x < BODY / 2)) {
      light += inner == 1 ? 0.16f : 0;
    }
    if ((across && y >= BODY / 2) || (!across && x >= BODY / 2)) {
      light -= inner == 5 ? 0.16f : 0;
    }
    // Nails where the boards cross.
    const int nx = x < BODY / 2 ? 3 : BODY - 4;
    const int ny = y < BODY / 2 ? 3 : BODY - 4;
    if ((x == nx || x == nx + 1) && (y == ny || y == ny + 1)) {
      return x == nx && y == ny ? Shade(paint.base, 1.5f) : Shade(paint.dark, 0.9f);
    }
  } else if (std::abs(x - y) <= 5) {
    // The brace, lying on the planks.
    if (std::abs(x - y) == 5) {
      return Shade(paint.dark, x > y ? 1.0f : 1.4f);
    }
    grain = SmoothNoise((x + y) * 2.0f, (x - y) * 6.0f, 9, 16, 42);
    light = 1.04f + (x < y ? 0.05f : -0.04f);
  } else {
    // Planks, 11 pixels wide with dark gaps.
    const int py = (y - 7) % 11;
    if (py == 10) {
      return Shade(paint.dark, 1.1f);
    }
    grain = SmoothNoise(x, y * 5.0f, 9, 16, 43 + (y - 7) / 11);
    light = 0.9f + (py == 0 ? 0.1f : 0) - (py == 9 ? 0.1f : 0);
  }
  return Shade(paint.base, light + 0.07f * grain + 0.02f * Noise(x, y, 44));
}

// Crate sides: corner posts at both ends, two boards between them.
Colour BoxSide(const BoxPaint& paint, int along, int depth) {
  if (depth == 0 || depth == RIM - 1 || depth == 7) {
    return Shade(paint.dark, 1.2f);
  }
  if (along <= 4 || along >= BODY - 5) {
    if (along == 4 || along == BODY - 5) {
      return Shade(paint.dark, 1.2f);
    }
    return Shade(paint.base, 1.08f);
  }
  return Shade(paint.base, 0.94f + 0.06f * SmoothNoise(along, depth * 4.0f, 7, 16, 45));
}

// The mark of a box resting on a place: a check in a round badge, so the
// state shows by shape as well as by colour.
void DrawCheckBadge(Canvas& canvas, int left, int top) {
  const float cx = left + BODY / 2.0f;
  const float cy = top + BODY / 2.0f;
  Part(canvas, Ellipse(cx, cy, 11, 11), STEEL_DARK);
  const Shape stroke1 = Capsule(cx - 6, cy + 0.5f, cx - 2, cy + 4.5f, 2.2f);
  const Shape stroke2 = Capsule(cx - 2, cy + 4.5f, cx + 6, cy - 5, 2.2f);
  for (const Shape& s : {stroke1, stroke2}) {
    const Shape rim = s.Grown(1);
    FillArea(
        canvas, rim.Left(), rim.Top(), rim.Right(), rim.Bottom(),
        [&](float x, float y) { return rim.Inside(x, y); }, [](float, float) { return OUTLINE; });
  }
  for (const Shape& s : {stroke1, stroke2}) {
    Fill(canvas, s, PALE);
  }
}

}  // namespace

Canvas DrawBox() {
  Canvas canvas(FRAME, 2 * FRAME);
  const BoxPaint plain = {WOOD, WOOD_DARK};
  const BoxPaint resting = {STEEL, STEEL_DARK};
  DrawBlock(
      canvas, 0, 0, [&](int x, int y) { return BoxTop(plain, x, y); },
      [&](int along, int depth) { return BoxSide(plain, along, depth); });
  DrawBlock(
      canvas, 0, FRAME, [&](int x, int y) { return BoxTop(resting, x, y); },
      [&](int along, int depth) { return BoxSide(resting, along, depth); });
  DrawCheckBadge(canvas, 0, FRAME);
  return canvas;
}

namespace {

// The ground.

// Floor flags 24 pixels square with a one-pixel joint along their top and left
// edges: the floor repeats every cell, so floors overlapping half a block
// apart line up as well as whole ones.
const int FLAG = 24;

Colour FloorAt(int x, int y) {
  const int fx = x % FLAG;
  const int fy = y % FLAG;
  if (fx == 0 || fy == 0) {
    return GROUT;
  }
  const int key = x / FLAG + 2 * (y / FLAG);
  float light = 1 + 0.06f * Noise(key, 0, 50) + 0.06f * SmoothNoise(fx, fy, 4, 6, 51 + key) +
                0.04f * Noise(x, y, 52);
  if (fx == 1 || fy == 1) {
    light += 0.16f;
  } else if (fx == FLAG - 1 || fy == FLAG - 1) {
    light -= 0.2f;
  }
  return Shade(SAND, light);
}

}  // namespace

Canvas DrawFloor() {
  Canvas canvas(BODY, BODY);
  for (int y = 0; y < BODY; y++) {
    for (int x = 0; x < BODY; x++) {
      canvas.Set(x, y, FloorAt(x, y));
    }
  }
  return canvas;
}

// A place: a sunken dark square with a bright amber rim and a diamond at its
// centre. The rim runs close to every edge, so the uncovered strip beside a
// box standing half on a place still shows it.
Canvas DrawPlace() {
  Canvas canvas(BODY, BODY);
  const float centre = (BODY - 1) / 2.0f;
  for (int y = 0; y < BODY; y++) {
    for (int x = 0; x < BODY; x++) {
      const int edge = std::min(std::min(x, y), std::min(BODY - 1 - x, BODY - 1 - y));
      const float dx = std::abs(x - centre);
      const float dy = std::abs(y - centre);
      const float glow = std::max(0.0f, 1 - (dx + dy) / 30);
      Colour c = Mix(Shade(SAND, 0.5f), AMBER, 0.18f * glow);
      if (edge == 0) {
        c = GROUT;
      } else if (edge <= 2) {
        c = Shade(SAND, edge == 1 && (x == 1 || y == 1) ? 1.05f : 0.85f);
      } else if (edge <= 7) {
        // The rim, raised and lit from the upper left.
        const bool lit = std::min(x, y) == edge;
        const bool lower = std::max(x, y) == BODY - 1 - edge;
        float light = 1;
        if (edge == 3) {
          light = lit ? 1.12f : 0.8f;
        } else if (edge == 7) {
          light = lower ? 1.05f : 0.7f;
        }
        c = Shade(AMBER, light + 0.03f * Noise(x, y, 60));
      } else if (edge == 8) {
        // The rim's shadow falls into the pit below and right of it.
        c = Shade(c, std::min(x, y) == edge ? 0.6f : 0.9f);
      }
      if (dx + dy <= 9 && edge > 8) {
        const bool rimPixel = dx + dy > 7.5f;
        const bool litSide = x <= centre + 0.5f && y <= centre + 0.5f;
        c = rimPixel ? Shade(AMBER, litSide ? 1.1f : 0.7f)
                     : Shade(AMBER, 0.95f - 0.02f * (dx - dy));
      }
      canvas.Set(x, y, c);
    }
  }
  return canvas;
}

}  // namespace art
