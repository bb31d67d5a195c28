// levelcheck_test.cpp: every fault of a level is found once and told where it lies.
#include "board/levelcheck.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/board_text.h"

namespace {

// A walled room: hero at (2, 2), a box at (6, 4), floors on anchors 2 to 10 by
// 2 to 6 and the place at (10, 6). In a text without header lines the object
// row R is line R + 2 and the ground row R is line R + 23.
struct Room {
  std::string header;
  std::vector<Cell> objects = {{2, 2, '@'}, {6, 4, '$'}};
  std::vector<Cell> ground;

  Room() {
    for (int column = 0; column <= 12; column += 2) {
      objects.push_back({column, 0, '#'});
      objects.push_back({column, 8, '#'});
    }
    for (int row = 2; row <= 6; row += 2) {
      objects.push_back({0, row, '#'});
      objects.push_back({12, row, '#'});
      for (int column = 2; column <= 10; column += 2) {
        ground.push_back({column, row, column == 10 && row == 6 ? 'o' : '_'});
      }
    }
  }
  std::string Text() const { return BoardText(objects, ground, header); }
};

struct TextCase {
  const char* name;
  std::function<void(Room*)> change;
  std::vector<std::string> expected;
};

TEST(LevelCheck, EachFaultOfATextLevelIsToldAtItsLineAndColumn) {
  const TextCase cases[] = {
      {"clean", [](Room*) {}, {}},
      {"hero header off its tile",
       [](Room* room) { room->header = "hero 4 2\n"; },
       {"line 1: no hero stands at the hero's anchor (column 4, row 2)"}},
      {"hero anchor off the grid",
       [](Room* room) { room->header = "hero 2 19\n"; },
       {"line 1: the hero's anchor (column 2, row 19) lies outside columns 0-23 and rows 0-18"}},
      {"no hero",
       [](Room* room) {
         room->header = "hero 2 2\n";
         room->objects.push_back({2, 2, '.'});
       },
       {"line 1: the object layer holds no hero"}},
      {"second hero",
       [](Room* room) {
         room->header = "hero 2 2\n";
         room->objects.push_back({8, 2, '@'});
       },
       {"line 5, column 8: a second hero"}},
      {"overlap",
       [](Room* room) {
         room->objects.push_back({7, 5, '#'});
       },
       {"line 7, column 7: wall overlaps the box at (column 6, row 4)"}},
      {"off the grid",
       [](Room* room) {
         room->objects.push_back({24, 10, '#'});
       },
       {"line 12, column 24: wall reaches off the board"}},
      {"too few boxes",
       [](Room* room) {
         room->header = "boxes 2\n";
         room->ground.push_back({2, 6, 'o'});
       },
       {"line 1: the box count is 2 but there are 1 boxes"}},
      {"too few places",
       [](Room* room) {
         room->objects.push_back({6, 2, '$'});
       },
       {"the box count is 2 but there are 1 places"}},
      {"no box to place",
       [](Room* room) { room->header = "boxes 0\n"; },
       {"line 1: the box count is 0, so no push is ever needed"}},
      {"box on no floor",
       [](Room* room) {
         room->header = "boxes 1\n";
         room->objects.push_back({20, 12, '$'});
       },
       {"line 15, column 20: box stands on no floor"}},
      {"gap in the floor",
       [](Room* room) {
         room->ground.push_back({6, 2, '.'});
       },
       {"line 25, column 6: the hero can walk onto (column 6, row 2), which has no floor"}},
      {"gap in the wall to the board's edge",
       [](Room* room) {
         room->objects.push_back({0, 4, '.'});
         room->ground.push_back({0, 4, '_'});
       },
       {"line 6, column 0: the hero can walk to the board's edge at (column 0, row 4) with no "
        "wall beyond"}},
      {"solved at the start",
       [](Room* room) {
         room->ground.push_back({6, 4, 'o'});
       },
       {"the level is solved at the start"}},
  };
  for (const TextCase& test : cases) {
    SCOPED_TRACE(test.name);
    Room room;
    test.change(&room);
    EXPECT_EQ(CheckLevelContents(room.Text()), test.expected);
    // A level file has the same faults, told by layer and cell instead.
    EXPECT_EQ(CheckLevelBytes(LevelBytes(room.Text())).size(), test.expected.size());
  }
}

struct BytesCase {
  const char* name;
  std::function<void(std::string*)> change;
  std::vector<std::string> expected;
};

TEST(LevelCheck, EachFaultOfALevelFileIsToldAtItsPlaceInTheFile) {
  const int lengthsAt = 21;
  const int layersAt = 26;
  const BytesCase cases[] = {
      {"wrong magic",
       [](std::string* bytes) { (*bytes)[0] = 'W'; },
       {"wrong magic: expected 'VELM LEVEL PUZZLE ' at the start"}},
      {"cut in the header",
       [](std::string* bytes) { bytes->resize(25); },
       {"the file ends after 25 bytes, inside the header"}},
      {"cut in the layers",
       [](std::string* bytes) { bytes->resize(1025); },
       {"the file ends after 1025 bytes, inside the layers of a 1026-byte level"}},
      {"bytes after the ground layer",
       [](std::string* bytes) { *bytes += "xyz"; },
       {"3 bytes after the ground layer of a 1026-byte level"}},
      {"info text over its buffer",
       [&](std::string* bytes) {
         (*bytes)[lengthsAt] = 31;
         bytes->insert(layersAt, std::string(31, 'a'));
       },
       {"info length 1: info text 1 has a length of 31, outside 0 to 30"}},
      {"negative info length",
       [&](std::string* bytes) { (*bytes)[lengthsAt + 4] = -1; },
       {"info length 5: info text 5 has a length of -1, outside 0 to 50"}},
      {"longest info texts",
       [&](std::string* bytes) {
         bytes->replace(lengthsAt, 5, std::string{30, 127, 50, 50, 50});
         bytes->insert(layersAt, std::string(307, 'i'));
       },
       {}},
      {"kinds out of their layers",
       [&](std::string* bytes) {
         (*bytes)[layersAt + 24] = TILE_FLOOR;
         (*bytes)[layersAt + 500 + 499] = TILE_BOX;
         (*bytes)[layersAt + 1] = 6;
       },
       {"object layer, column 1, row 0: kind 6 does not belong in the object layer",
        "object layer, column 24, row 0: kind 2 does not belong in the object layer",
        "ground layer, column 24, row 19: kind 4 does not belong in the ground layer"}},
      {"hero anchor beside the hero",
       [](std::string* bytes) { (*bytes)[18] = 23; },
       {"hero: no hero stands at the hero's anchor (column 23, row 2)"}},
  };
  for (const BytesCase& test : cases) {
    SCOPED_TRACE(test.name);
    std::string bytes = LevelBytes(Room().Text());
    test.change(&bytes);
    EXPECT_EQ(CheckLevelContents(bytes), test.expected);
  }
}

}  // namespace
