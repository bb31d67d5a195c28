// generate.cpp: velm2-generate, making and measuring levels by reverse play.
//
//   velm2-generate measure LEVELFILE          fewest pushes of the level as it stands
//   velm2-generate pull LEVELFILE OUT TITLE   the hardest start for the level's places
//
// `pull` keeps the level's walls, floors and places and writes OUT, a text
// level whose boxes and hero stand where reverse play found the start with the
// most pushes. Both print the pushes, the box changes of the solution found,
// the states searched and the solution (u d l r steps, U D L R pushes).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "board/level.h"
#include "generator/design.h"
#include "generator/reverse.h"

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

int Pull(Design design, const char* outPath, const char* title) {
  const PullSearch search = PullFromPlaces(OpenAnchors(design.walls), design.places, {});
  Report(search);
  if (search.starts.empty()) {
    return 1;
  }
  design.boxes = search.starts.front().start.boxes;
  design.hero = search.starts.front().start.hero;
  std::ofstream out(outPath, std::ios::binary);
  out << TextOf(design, title, AUTHOR);
  if (!out.flush()) {
    printf("ERROR velm2-generate: can't write '%s'\n", outPath);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool measure = argc == 3 && strcmp(argv[1], "measure") == 0;
  const bool pull = argc == 5 && strcmp(argv[1], "pull") == 0;
  if (!measure && !pull) {
    printf(
        "usage: velm2-generate measure LEVELFILE\n       velm2-generate pull LEVELFILE OUT "
        "TITLE\n");
    return 2;
  }
  auto level = std::make_unique<CLevel>();
  level->Load(argv[2]);
  const Design design = DesignOf(*level);
  return measure ? Measure(design) : Pull(design, argv[3], argv[4]);
}
