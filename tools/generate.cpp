// generate.cpp: velm2-generate, making and measuring levels by reverse play.
//
//   velm2-generate measure LEVEL              fewest pushes of the level as it stands
//   velm2-generate pull LEVEL OUT TITLE       the hardest start for the level's places
//   velm2-generate room SEED WIDTH HEIGHT BOXES OUT TITLE
//                                             the hardest of a few random rooms
//   velm2-generate tidy LEVEL OUT             the level with floor under all its inside,
//                                             in the middle of the screen
//
// `pull` keeps the level's walls, floors and places and writes OUT, a text
// level whose boxes and hero stand where reverse play found the start with the
// most pushes. Both print the pushes, the box changes of the solution found,
// the states searched and the solution (u d l r steps, U D L R pushes).
// LEVEL is a level file or a text level. `room` draws rooms of about WIDTH x HEIGHT cells from
// SEED, with BOXES places, and keeps the one whose hardest start needs the most pushes and box
// changes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "board/level.h"
#include "board/levelread.h"
#include "generator/design.h"
#include "generator/reverse.h"
#include "generator/room.h"
#include "generator/tidy.h"

namespace {

const char AUTHOR[] = "Velm 2 team";

void Report(const PullSearch& search) {
  if (search.starts.empty()) {
    printf("no start found (%llu states%s)\n", static_cast<unsigned long long>(search.states),
           search.exhausted ? ", all seen" : "");
    return;
  }
  const PulledStart& start = search.starts.front();
  printf("pushes %d changes %d states %llu%s\n%s\n", start.pushes, start.boxChanges,
         static_cast<unsigned long long>(search.states), search.exhausted ? " all" : "",
         start.solution.c_str());
}

int Measure(const Design& design) {
  Position target{design.boxes, design.hero};
  PullOptions options;
  options.target = &target;
  const PullSearch search = PullFromPlaces(OpenAnchors(design.walls), design.places, options);
  Report(search);
  return search.starts.empty() ? 1 : 0;
}

int Write(Design design, const PulledStart& start, const char* outPath, const char* title) {
  design.boxes = start.start.boxes;
  design.hero = start.start.hero;
  std::ofstream out(outPath, std::ios::binary);
  out << TextOf(design, title, AUTHOR);
  if (!out.flush()) {
    printf("ERROR velm2-generate: can't write '%s'\n", outPath);
    return 1;
  }
  return 0;
}

int Pull(const Design& design, const char* outPath, const char* title) {
  const PullSearch search = PullFromPlaces(OpenAnchors(design.walls), design.places, {});
  Report(search);
  return search.starts.empty() ? 1 : Write(design, search.starts.front(), outPath, title);
}

const int ROOM_DRAWS = 8;

// Pixels of a 48-pixel place that an object's 62-pixel picture, anchored
// `offset` cells right of (or below) the place, covers along that axis.
int CoveredAlong(int offset) {
  const int covered[] = {0, 24, 48, 38, 14};  // offsets -2 to 2
  return offset < -2 || offset > 2 ? 0 : covered[offset + 2];
}

// Whether every place shows at least three quarters of its picture at the
// start: a box resting exactly on a place is fine, one half off it is not.
bool PlacesShow(const std::vector<int>& places, const Position& start) {
  const int PLACE_PIXELS = 2 * CELL_SIZE * 2 * CELL_SIZE;
  for (int place : places) {
    for (int box : start.boxes) {
      const int covered =
          CoveredAlong(ColumnOf(box) - ColumnOf(place)) * CoveredAlong(RowOf(box) - RowOf(place));
      if (box != place && 4 * covered > PLACE_PIXELS) {
        return false;
      }
    }
  }
  return true;
}

int Room(char** argv) {
  std::mt19937 random(atoi(argv[2]));
  RoomShape shape;
  shape.width = atoi(argv[3]);
  shape.height = atoi(argv[4]);
  shape.places = atoi(argv[5]);
  Design best;
  PullSearch bestSearch;
  int bestScore = -1;
  for (int draw = 0; draw < ROOM_DRAWS; draw++) {
    shape.rectangles = std::uniform_int_distribution<int>(1, 3)(random);
    shape.innerWalls =
        std::uniform_int_distribution<int>(0, shape.width * shape.height / 24)(random);
    Design room;
    if (!MakeRoom(shape, &random, &room) || !CloseSlots(&room) || !CentreRoom(&room) ||
        !FloorInside(&room)) {
      continue;
    }
    PullOptions options;
    options.maxStates = 300000;
    PullSearch search = PullFromPlaces(OpenAnchors(room.walls), room.places, options);
    // The hardest start whose places all show.
    while (!search.starts.empty() && !PlacesShow(room.places, search.starts.front().start)) {
      search.starts.erase(search.starts.begin());
    }
    if (search.starts.empty()) {
      continue;
    }
    const int score = search.starts.front().pushes + search.starts.front().boxChanges;
    if (score > bestScore) {
      best = room;
      bestSearch = search;
      bestScore = score;
    }
  }
  Report(bestSearch);
  return bestScore < 0 ? 1 : Write(best, bestSearch.starts.front(), argv[6], argv[7]);
}

// Floors the level's whole inside and centres it, keeping the puzzle and the
// title: for rooms drawn by hand, and those drawn before the look mattered.
int Tidy(Design design, const CLevel& level, const char* outPath) {
  // Off the board's edge a slot has no room for its wall: centre first, close
  // the slots, then centre the room with its new walls.
  CentreRoom(&design);
  const bool closed = CloseSlots(&design);
  const bool centred = CentreRoom(&design);
  const bool floored = closed && FloorInside(&design);
  if (!floored) {
    printf(
        "ERROR velm2-generate: '%s': a slot or a cell inside the room can't be closed or floored\n",
        outPath);
  }
  if (!centred) {
    printf("ERROR velm2-generate: '%s': no place near the middle is clear of the HUD\n", outPath);
  }
  PulledStart start;
  start.start = {design.boxes, design.hero};
  const std::string title(level.infoText1, level.infoLength[0]);
  return Write(design, start, outPath, title.c_str()) || !floored || !centred;
}

}  // namespace

int main(int argc, char** argv) {
  const bool measure = argc == 3 && strcmp(argv[1], "measure") == 0;
  const bool pull = argc == 5 && strcmp(argv[1], "pull") == 0;
  const bool tidy = argc == 4 && strcmp(argv[1], "tidy") == 0;
  if (argc == 8 && strcmp(argv[1], "room") == 0) {
    return Room(argv);
  }
  if (!measure && !pull && !tidy) {
    printf(
        "usage: velm2-generate measure LEVEL\n"
        "       velm2-generate pull LEVEL OUT TITLE\n"
        "       velm2-generate room SEED WIDTH HEIGHT BOXES OUT TITLE\n"
        "       velm2-generate tidy LEVEL OUT\n");
    return 2;
  }
  auto level = std::make_unique<CLevel>();
  std::string error;
  if (!ReadLevelFile(argv[2], level.get(), &error)) {
    printf("ERROR velm2-generate: '%s': %s\n", argv[2], error.c_str());
    return 1;
  }
  const Design design = DesignOf(*level);
  if (tidy) {
    return Tidy(design, *level, argv[3]);
  }
  return measure ? Measure(design) : Pull(design, argv[3], argv[4]);
}
