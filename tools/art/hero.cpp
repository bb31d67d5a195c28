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

// Seen from the front or the back: feet step towards or away from the viewer,
// arms swing against them.
void DrawFigureAhead(Canvas& c, bool front, const Stride& s) {
  const float b = s.bob;
  const float ahead = front ? 2.0f : -2.0f;
  const float leftFoot = 41 + s.leftStep * ahead - s.leftLift;
  const float rightFoot = 41 + s.rightStep * ahead - s.rightLift;
  const float leftHand = 31 + b - s.rightStep * ahead * 0.75f;
  const float rightHand = 31 + b - s.leftStep * ahead * 0.75f;
  // Legs and shoes; the foot further from the viewer goes first.
  const bool leftFirst = front ? leftFoot < rightFoot : leftFoot > rightFoot;
  for (int i = 0; i < 2; i++) {
    const bool left = (i == 0) == leftFirst;
    const float x = left ? 20.5f : 27.5f;
    const float foot = left ? leftFoot : rightFoot;
    Part(c, Capsule(x, 32 + b, x, foot - 2, 3), TROUSERS);
    Part(c, Ellipse(x, foot, 3.5f, front ? 2.4f : 2.0f), SHOES);
  }
  if (!front) {
    Part(c, Capsule(15, 22 + b, 14, leftHand, 2.6f), TUNIC);
    Part(c, Capsule(33, 22 + b, 34, rightHand, 2.6f), TUNIC);
  }
  Part(c, RoundRect(15.5f, 19.5f + b, 32.5f, 35 + b, 4.5f), TUNIC);
  FillRect(c, 16, static_cast<int>(31 + b), 32, static_cast<int>(33 + b), Shade(LEATHER, 0.6f));
  if (front) {
    FillRect(c, 23, static_cast<int>(31 + b), 25, static_cast<int>(33 + b), AMBER);
    Part(c, Capsule(15, 22 + b, 13.5f, leftHand, 2.6f), TUNIC);
    Part(c, Capsule(33, 22 + b, 34.5f, rightHand, 2.6f), TUNIC);
    Part(c, Ellipse(13.5f, leftHand + 1.5f, 2.3f, 2.3f), SKIN);
    Part(c, Ellipse(34.5f, rightHand + 1.5f, 2.3f, 2.3f), SKIN);
  } else {
    // A pack on the back makes the back view unmistakable.
    Part(c, RoundRect(17.5f, 21 + b, 30.5f, 32 + b, 3), LEATHER);
    FillRect(c, 18, static_cast<int>(25 + b), 30, static_cast<int>(26 + b), Shade(LEATHER, 0.65f));
    FillRect(c, 22, static_cast<int>(26 + b), 26, static_cast<int>(29 + b), AMBER);
  }
  // Head.
  const Shape head = Ellipse(24, 12 + b, 9, 8.5f);
  Part(c, head, SKIN);
  if (front) {
    FillArea(
        c, 14, 2 + b, 34, 14 + b,
        [&](float x, float y) {
          return head.Grown(0.3f).Inside(x, y) && y < 9.5f + b + 1.6f * std::sin(x * 1.3f);
        },
        [&](float x, float y) { return LitAt(head, HAIR, x, y); });
    // Eyes with a glint, and a mouth.
    for (int ex : {20, 27}) {
      FillRect(c, ex, static_cast<int>(12 + b), ex + 2, static_cast<int>(15 + b), OUTLINE);
      c.Set(ex, static_cast<int>(12 + b), Rgb(250, 250, 250));
    }
    FillRect(c, 22, static_cast<int>(17 + b), 26, static_cast<int>(18 + b), Shade(SKIN, 0.65f));
  } else {
    Fill(c, Ellipse(24, 11.5f + b, 8.6f, 8.0f), HAIR);
    Fill(c, Ellipse(24, 7 + b, 4, 2), Shade(HAIR, 1.25f));
  }
}

// Seen from the side, facing right when `s` is 1 and left when -1. The light
// stays in the upper left either way.
void DrawFigureSide(Canvas& c, float s, const Stride& st) {
  const float b = st.bob;
  auto X = [s](float x) { return 24 + s * (x - 24); };
  // Near and far leg: the near one is the left foot's in this drawing.
  const float nearStep = st.leftStep * 6;
  const float farStep = st.rightStep * 6;
  const float nearLift = st.leftLift;
  const float farLift = st.rightLift;
  const float nearHand = -farStep * 0.6f;
  const float farHand = -nearStep * 0.6f;
  Part(c, Capsule(X(24), 22 + b, X(24 + farHand), 30 + b, 2.4f), Shade(TUNIC, 0.75f));
  Part(c, Capsule(X(24), 32 + b, X(24 + farStep), 40 - farLift, 3), Shade(TROUSERS, 0.8f));
  Part(c, Ellipse(X(25.5f + farStep), 42 - farLift, 3.8f, 2.2f), Shade(SHOES, 0.8f));
  Part(c, RoundRect(18, 19.5f + b, 30, 35 + b, 4.5f), TUNIC);
  FillRect(c, 19, static_cast<int>(31 + b), 29, static_cast<int>(33 + b), Shade(LEATHER, 0.6f));
  Part(c, RoundRect(std::min(X(16), X(20)), 21 + b, std::max(X(16), X(20)), 31 + b, 2), LEATHER);
  Part(c, Capsule(X(24), 32 + b, X(24 + nearStep), 40 - nearLift, 3), TROUSERS);
  Part(c, Ellipse(X(25.5f + nearStep), 42 - nearLift, 3.8f, 2.2f), SHOES);
  Part(c, Capsule(X(24), 22 + b, X(24 + nearHand), 30 + b, 2.5f), TUNIC);
  Part(c, Ellipse(X(24 + nearHand), 31.5f + b, 2.3f, 2.3f), SKIN);
  // Head in profile: face and nose forward, hair behind and on top, an ear
  // where they meet.
  const Shape head = Ellipse(24, 12 + b, 8.5f, 8.5f);
  const Shape nose = Ellipse(X(32), 14 + b, 1.8f, 1.5f);
  const Shape headRim = head.Grown(1);
  const Shape noseRim = nose.Grown(1);
  FillArea(
      c, 13, 2 + b, 36, 22 + b,
      [&](float x, float y) { return headRim.Inside(x, y) || noseRim.Inside(x, y); },
      [](float, float) { return OUTLINE; });
  FillArea(
      c, 13, 2 + b, 36, 22 + b,
      [&](float x, float y) { return head.Inside(x, y) || nose.Inside(x, y); },
      [&](float x, float y) { return LitAt(head, SKIN, x, y); });
  FillArea(
      c, 13, 2 + b, 36, 22 + b,
      [&](float x, float y) {
        const float forward = s * (x - 24);
        const float down = y - (12 + b);
        const bool crown = down < -3.5f + 0.25f * forward;
        const bool back = forward < -3.5f + 0.1f * down && down < 5;
        return head.Grown(0.3f).Inside(x, y) && (crown || back);
      },
      [&](float x, float y) { return LitAt(head, HAIR, x, y); });
  Fill(c, Ellipse(X(21.5f), 13.5f + b, 1.5f, 2), Shade(SKIN, 0.78f));
  c.Set(static_cast<int>(std::floor(X(21.5f))), static_cast<int>(13 + b), Shade(SKIN, 0.6f));
  const int eye = static_cast<int>(std::floor(X(28.5f)));
  FillRect(c, eye, static_cast<int>(11 + b), eye + 2, static_cast<int>(14 + b), OUTLINE);
  c.Set(s > 0 ? eye + 1 : eye, static_cast<int>(11 + b), Rgb(250, 250, 250));
  const int mouth = static_cast<int>(std::floor(X(29.5f)));
  FillRect(c, mouth, static_cast<int>(17 + b), mouth + 2, static_cast<int>(18 + b),
           Shade(SKIN, 0.65f));
}

}  // namespace

Canvas DrawHero() {
  Canvas sheet(4 * FRAME, 4 * FRAME);
  for (int facing = FACING_UP; facing <= FACING_RIGHT; facing++) {
    for (int frame = 0; frame < 4; frame++) {
      const int left = frame * FRAME;
      const int top = facing * FRAME;
      // The figure stands on its footprint; its shadow falls down and right.
      DitheredShadow(sheet, left, top, 30, 46, 13, 5);
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
