// hero.cpp: the hero's sheet: four facings, four walk frames each.
#include "tools/art/pictures.h"

namespace art {
namespace {

enum Facing { FACING_UP, FACING_DOWN, FACING_LEFT, FACING_RIGHT };

// One walk frame: 0 standing, 1 left foot leading, 2 passing, 3 right foot
// leading. Over a step the game shows 3, 2, 1, 0.
struct Stride {
  float bob;       // the body rises while a foot passes
  float leftStep;  // how far each foot is ahead (+) or behind (-)
  float rightStep;
  float leftLift;  // a passing foot is off the ground
  float rightLift;
};

Stride StrideOf(int frame) {
  switch (frame) {
    case 1:
      return {0, 1, -1, 0, 0};
    case 2:
      return {-1, 0, 0, 2, 0};
    case 3:
      return {0, -1, 1, 0, 0};
    default:
      return {0, 0, 0, 0, 0};
  }
}

// The figure fills most of the 48 x 48 top square of its frame, the part the
// board draws over its neighbours' rims: about 36 pixels wide and 46 tall,
// with a big head and stout limbs so that it reads as the one who shifts
// crates. Its feet stand at row 44.
const float GROUND = 44.5f;

// Seen from the front or the back: feet step towards or away from the viewer,
// arms swing against them.
void DrawFigureAhead(Canvas& c, bool front, const Stride& s) {
  const float b = s.bob;
  const float ahead = front ? 2.5f : -2.5f;
  const float leftFoot = GROUND + s.leftStep * ahead - s.leftLift;
  const float rightFoot = GROUND + s.rightStep * ahead - s.rightLift;
  const float leftHand = 34 + b - s.rightStep * ahead * 0.75f;
  const float rightHand = 34 + b - s.leftStep * ahead * 0.75f;
  // Legs and shoes; the foot further from the viewer goes first.
  const bool leftFirst = front ? leftFoot < rightFoot : leftFoot > rightFoot;
  for (int i = 0; i < 2; i++) {
    const bool left = (i == 0) == leftFirst;
    const float x = left ? 18.5f : 29.5f;
    const float foot = left ? leftFoot : rightFoot;
    Part(c, Capsule(x, 35 + b, x, foot - 2.5f, 4.2f), TROUSERS);
    Part(c, Ellipse(x + (left ? -0.5f : 0.5f), foot, 5, front ? 3 : 2.6f), SHOES);
  }
  if (!front) {
    Part(c, Capsule(12, 25 + b, 10, leftHand, 3.6f), TUNIC);
    Part(c, Capsule(36, 25 + b, 38, rightHand, 3.6f), TUNIC);
    Part(c, Ellipse(10, leftHand + 2, 3, 3), SKIN);
    Part(c, Ellipse(38, rightHand + 2, 3, 3), SKIN);
  }
  Part(c, RoundRect(11.5f, 21 + b, 36.5f, 38 + b, 6.5f), TUNIC);
  FillRect(c, 12, static_cast<int>(34 + b), 36, static_cast<int>(36 + b), Shade(LEATHER, 0.6f));
  if (front) {
    // An open collar and the buckle break up the tunic.
    FillArea(
        c, 20, 21 + b, 28, 26 + b,
        [&](float x, float y) { return std::abs(x - 24) < 3.5f - 0.7f * (y - 21 - b); },
        [](float, float) { return Shade(SKIN, 0.85f); });
    FillRect(c, 22, static_cast<int>(33 + b), 26, static_cast<int>(37 + b), AMBER);
    FillRect(c, 23, static_cast<int>(34 + b), 25, static_cast<int>(36 + b), Shade(AMBER, 0.6f));
    Part(c, Capsule(12, 25 + b, 9.5f, leftHand, 3.6f), TUNIC);
    Part(c, Capsule(36, 25 + b, 38.5f, rightHand, 3.6f), TUNIC);
    Part(c, Ellipse(9.5f, leftHand + 2, 3, 3), SKIN);
    Part(c, Ellipse(38.5f, rightHand + 2, 3, 3), SKIN);
  } else {
    // A pack on the back makes the back view unmistakable.
    Part(c, RoundRect(15.5f, 22.5f + b, 32.5f, 36 + b, 3.5f), LEATHER);
    FillRect(c, 16, static_cast<int>(27 + b), 32, static_cast<int>(28 + b), Shade(LEATHER, 0.65f));
    FillRect(c, 22, static_cast<int>(28 + b), 26, static_cast<int>(32 + b), AMBER);
  }
  // Head.
  const Shape head = Ellipse(24, 12.5f + b, 11, 10);
  Part(c, head, SKIN);
  if (front) {
    FillArea(
        c, 12, 2 + b, 36, 16 + b,
        [&](float x, float y) {
          return head.Grown(0.3f).Inside(x, y) && y < 10 + b + 1.8f * std::sin(x * 1.1f);
        },
        [&](float x, float y) { return LitAt(head, HAIR, x, y); });
    // Eyes with a glint, rosy cheeks and a mouth.
    for (int ex : {18, 28}) {
      FillRect(c, ex, static_cast<int>(13 + b), ex + 2, static_cast<int>(17 + b), OUTLINE);
      c.Set(ex, static_cast<int>(13 + b), Rgb(250, 250, 250));
      FillRect(c, ex + (ex < 24 ? -2 : 2), static_cast<int>(18 + b), ex + (ex < 24 ? 1 : 4),
               static_cast<int>(19 + b), Mix(SKIN, TUNIC, 0.3f));
    }
    FillRect(c, 22, static_cast<int>(19 + b), 26, static_cast<int>(20 + b), Shade(SKIN, 0.6f));
  } else {
    Fill(c, Ellipse(24, 12 + b, 10.6f, 9.5f), HAIR);
    Fill(c, Ellipse(24, 6.5f + b, 5, 2.4f), Shade(HAIR, 1.25f));
  }
}

// Seen from the side, facing right when `s` is 1 and left when -1. The light
// stays in the upper left either way.
void DrawFigureSide(Canvas& c, float s, const Stride& st) {
  const float b = st.bob;
  auto X = [s](float x) { return 24 + s * (x - 24); };
  // Near and far leg: the near one is the left foot's in this drawing.
  const float nearStep = st.leftStep * 7;
  const float farStep = st.rightStep * 7;
  const float nearLift = st.leftLift;
  const float farLift = st.rightLift;
  const float nearHand = -farStep * 0.6f;
  const float farHand = -nearStep * 0.6f;
  Part(c, Capsule(X(25), 25 + b, X(25 + farHand), 33 + b, 3.3f), Shade(TUNIC, 0.75f));
  Part(c, Capsule(X(24), 35 + b, X(24 + farStep), GROUND - 2.5f - farLift, 4),
       Shade(TROUSERS, 0.8f));
  Part(c, Ellipse(X(26 + farStep), GROUND - farLift, 5, 2.8f), Shade(SHOES, 0.8f));
  Part(c, RoundRect(15.5f, 21 + b, 32.5f, 38 + b, 6), TUNIC);
  FillRect(c, 16, static_cast<int>(34 + b), 32, static_cast<int>(36 + b), Shade(LEATHER, 0.6f));
  Part(c,
       RoundRect(std::min(X(10.5f), X(16.5f)), 23 + b, std::max(X(10.5f), X(16.5f)), 35 + b, 2.5f),
       LEATHER);
  Part(c, Capsule(X(24), 35 + b, X(24 + nearStep), GROUND - 2.5f - nearLift, 4), TROUSERS);
  Part(c, Ellipse(X(26 + nearStep), GROUND - nearLift, 5, 2.8f), SHOES);
  Part(c, Capsule(X(24), 25 + b, X(24 + nearHand), 33 + b, 3.4f), TUNIC);
  Part(c, Ellipse(X(24 + nearHand), 35 + b, 3, 3), SKIN);
  // Head in profile: face and nose forward, hair behind and on top, an ear
  // where they meet.
  const Shape head = Ellipse(24, 12.5f + b, 10.5f, 10);
  const Shape nose = Ellipse(X(34.5f), 15 + b, 2.2f, 1.8f);
  const Shape headRim = head.Grown(1);
  const Shape noseRim = nose.Grown(1);
  FillArea(
      c, 11, 1 + b, 39, 24 + b,
      [&](float x, float y) { return headRim.Inside(x, y) || noseRim.Inside(x, y); },
      [](float, float) { return OUTLINE; });
  FillArea(
      c, 11, 1 + b, 39, 24 + b,
      [&](float x, float y) { return head.Inside(x, y) || nose.Inside(x, y); },
      [&](float x, float y) { return LitAt(head, SKIN, x, y); });
  FillArea(
      c, 11, 1 + b, 39, 24 + b,
      [&](float x, float y) {
        const float forward = s * (x - 24);
        const float down = y - (12.5f + b);
        const bool crown = down < -4.3f + 0.25f * forward;
        const bool back = forward < -4.3f + 0.1f * down && down < 6;
        return head.Grown(0.3f).Inside(x, y) && (crown || back);
      },
      [&](float x, float y) { return LitAt(head, HAIR, x, y); });
  Fill(c, Ellipse(X(21), 14.5f + b, 1.8f, 2.4f), Shade(SKIN, 0.78f));
  c.Set(static_cast<int>(std::floor(X(21))), static_cast<int>(14 + b), Shade(SKIN, 0.6f));
  const int eye = static_cast<int>(std::floor(X(30)));
  FillRect(c, eye, static_cast<int>(12 + b), eye + 2, static_cast<int>(16 + b), OUTLINE);
  c.Set(s > 0 ? eye + 1 : eye, static_cast<int>(12 + b), Rgb(250, 250, 250));
  const int mouth = static_cast<int>(std::floor(X(31.5f)));
  FillRect(c, mouth, static_cast<int>(19 + b), mouth + 2, static_cast<int>(20 + b),
           Shade(SKIN, 0.6f));
}

}  // namespace

Canvas DrawHero() {
  Canvas sheet(4 * FRAME, 4 * FRAME);
  for (int facing = FACING_UP; facing <= FACING_RIGHT; facing++) {
    for (int frame = 0; frame < 4; frame++) {
      const int left = frame * FRAME;
      const int top = facing * FRAME;
      // The figure stands on its footprint; its shadow falls down and right.
      ContactShadow(sheet, left + 28.5f, top + GROUND + 0.5f, 15, 4);
      Canvas figure(BODY, BODY);
      const Stride stride = StrideOf(frame);
      if (facing == FACING_UP || facing == FACING_DOWN) {
        DrawFigureAhead(figure, facing == FACING_DOWN, stride);
      } else {
        DrawFigureSide(figure, facing == FACING_RIGHT ? 1 : -1, stride);
      }
      sheet.Place(figure, left, top);
    }
  }
  return sheet;
}

}  // namespace art
