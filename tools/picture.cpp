// picture.cpp: velm2-picture, a PNG picture of every level of a pack.
//
//   velm2-picture PACK OUTDIR
//
// Writes OUTDIR/NAME.png for every entry NAME.lev of PACK/list: the level as
// the game draws it, cropped to the room, at half size, with its number in the
// pack. Run from the repository root, where the game's pictures are; SDL's
// dummy video driver is used, so no window opens.
#include <SDL/SDL.h>

#include <cstdio>
#include <string>

#include "board/level.h"
#include "picture/headless.h"
#include "picture/png.h"
#include "picture/thumbnail.h"
#include "shell/game.h"

namespace {

// The entry's file name without its folder and extension.
std::string LevelName(const std::string& entry) {
  const std::string name = entry.substr(entry.rfind('/') + 1);
  return name.substr(0, name.rfind('.'));
}

int WritePictures(CGame& game, const char* outDir) {
  int failures = 0;
  for (uint32_t number = 1; number <= game.levelList.size(); number++) {
    game.LoadLevel(number);
    const std::string path =
        std::string(outDir) + "/" + LevelName(game.levelList[number - 1]) + ".png";
    SDL_Surface* picture = DrawThumbnail(game.level, number);
    std::string error = "nothing to draw";
    if (!picture || !WritePng(picture, path.c_str(), &error)) {
      printf("ERROR velm2-picture: '%s': %s\n", path.c_str(), error.c_str());
      failures++;
    }
    SDL_FreeSurface(picture);
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    printf("usage: velm2-picture PACK OUTDIR (run from the repository root)\n");
    return 2;
  }
  HeadlessGame headless("velm2-picture");
  if (!headless.started) {
    return 1;
  }
  int result = 1;
  if (headless.game.LoadLevelPak(argv[1]) == 0) {
    result = WritePictures(headless.game, argv[2]);
  }
  return result;
}
