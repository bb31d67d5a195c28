// art.cpp: draws the game's pictures and its icon from code and writes them
// as BMP and PNG files.
//
// Usage: velm2-art OUTDIR. The drawing is in tools/art/. The same build writes
// the same bytes on every run, so the pictures in data/ can be checked against
// this program (tests/art_sync.sh).
#include <cstdio>
#include <string>

#include "tools/art/font.h"
#include "tools/art/pictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    printf("usage: velm2-art OUTDIR\n");
    return 2;
  }
  const std::string out = argv[1];

  art::Type type;
  if (!type.Read()) {
    return 1;
  }

  struct Picture {
    const char* name;
    art::Canvas canvas;
    bool dither;
  };
  const Picture pictures[] = {
      {"back1.bmp", art::DrawBackground(), true},
      {"win.bmp", art::DrawWin(type), true},
      {"hero.bmp", art::DrawHero(), true},
      {"wall.bmp", art::DrawWall(), true},
      {"box.bmp", art::DrawBox(), true},
      {"place.bmp", art::DrawPlace(), true},
      {"floor.bmp", art::DrawFloor(), true},
      {"cursor.bmp", art::DrawCursor(), false},
      {"font7x14.bmp", art::DrawFontSheet(type.cells), false},
  };
  for (const Picture& picture : pictures) {
    const std::string path = out + "/" + picture.name;
    if (!art::Save(picture.canvas, picture.dither, path)) {
      return 1;
    }
    printf("Wrote %s\n", path.c_str());
  }
  // The application icon, for the desktop rather than the game.
  for (int size : {128, 48}) {
    const std::string path = out + (size == 128 ? "/velm2.png" : "/velm2-48.png");
    if (!art::SavePng(art::DrawIcon(size), path)) {
      return 1;
    }
    printf("Wrote %s\n", path.c_str());
  }
  return 0;
}
