// icon.cpp: the game's application icon: the hero before one of his crates,
// from the board's own pictures at twice their size.
#include "tools/art/pictures.h"

namespace art {

Canvas DrawIcon(int size) {
  // The plain crate, and the hero facing the viewer, standing before its
  // lower-left corner; both as the board shows them, on 64 pixels doubled.
  Canvas scene(64, 64);
  scene.Place(Cut(DrawBox(), 0, 0, FRAME, FRAME), 2, 0);
  scene.Place(Cut(DrawHero(), 0, FRAME, BODY, BODY), -5, 16);
  const Canvas icon = Enlarged(scene, 2);
  return size == icon.width ? icon : Shrunk(icon, size, size);
}

}  // namespace art
