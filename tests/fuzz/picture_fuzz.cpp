// picture_fuzz.cpp: the picture loaders on any bytes given as a BMP file.
#include "gfx/image.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzGame();  // the display the loaders convert to
  const char* path = BytesAsFile(data, size);
  FreeImage(LoadImage(path));
  // A small texture: a 1 x 1 picture would take 300,000 blits to fill the
  // background, and the tiling loop is the same at any size.
  FreeImage(LoadTexture(path, 50, 40));
  return 0;
}
