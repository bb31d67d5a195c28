// generator_test.cpp: reverse play finds true fewest-push starts whose
// solutions the game's own move rules accept, and random rooms are closed.
#include <gtest/gtest.h>

#include <random>

#include "board/levelread.h"
#include "generator/reverse.h"
#include "generator/room.h"
#include "tests/board_text.h"
#include "tests/support.h"

namespace {

// Plays a solution through CLevel::Move; true when every letter is a step,
// upper case exactly where it pushes, and the level ends solved.
void ExpectSolves(const std::string& text, const std::string& solution, int pushes) {
  GameHarness harness;
  LoadBoardText(&harness.board, text);
  for (size_t step = 0; step < solution.size(); step++) {
    const int before = harness.board.pushCount;
    ASSERT_TRUE(harness.board.Move(DirectionOf(toupper(solution[step])))) << "step " << step;
    ASSERT_EQ(harness.board.pushCount != before, isupper(solution[step]) != 0) << "step " << step;
    harness.board.AnimateTiles(1);
  }
  EXPECT_EQ(harness.board.pushCount, pushes);
  harness.game.screenState = GAME_PLAY;
  harness.board.CheckComplete();
  EXPECT_EQ(harness.game.screenState, GAME_WIN);
}

Design Room(std::vector<int> places) {
  Design design;
  // A room of 10 x 8 cells inside walls, with one wall half a block out of line.
  for (int column = 2; column <= 14; column += 2) {
    design.walls.push_back(AnchorAt(column, 2));
    design.walls.push_back(AnchorAt(column, 12));
  }
  for (int row = 4; row <= 10; row += 2) {
    design.walls.push_back(AnchorAt(2, row));
    design.walls.push_back(AnchorAt(14, row));
  }
  design.walls.push_back(AnchorAt(9, 7));
  for (int row = 4; row <= 10; row += 2) {
    for (int column = 4; column <= 12; column += 2) {
      design.floors.push_back(AnchorAt(column, row));
    }
  }
  design.places = places;
  return design;
}

// A level of the pack, as the generator sees it.
Design PackLevel(const std::string& name) {
  CLevel level;
  std::string error;
  EXPECT_TRUE(ReadLevelFile("level/source/" + name + ".txt", &level, &error)) << error;
  return DesignOf(level);
}

void CheckDeepestStarts(const Design& room) {
  const PullSearch search = PullFromPlaces(OpenAnchors(room.walls), room.places, {});
  ASSERT_TRUE(search.exhausted);
  ASSERT_FALSE(search.starts.empty());
  for (const PulledStart& start : search.starts) {
    Design level = room;
    level.boxes = start.start.boxes;
    level.hero = start.start.hero;
    ExpectSolves(TextOf(level, "t", "a"), start.solution, start.pushes);
    PullOptions measure;
    measure.target = &start.start;
    const PullSearch again = PullFromPlaces(OpenAnchors(room.walls), room.places, measure);
    ASSERT_EQ(again.starts.size(), 1u);
    EXPECT_EQ(again.starts[0].pushes, start.pushes);
  }
}

TEST(GeneratorTest, DeepestStartsAreSolvedInTheirPushesAndMeasureTheSame) {
  // The open room, and one with a corridor just as wide as the hero.
  for (const Design& room : {Room({AnchorAt(4, 4), AnchorAt(7, 5)}), PackLevel("jog")}) {
    CheckDeepestStarts(room);
  }
}

TEST(GeneratorTest, MeasuresKnownPushCounts) {
  struct Case {
    std::vector<int> boxes;
    int hero;
    int pushes;
  };
  const Case cases[] = {
      {{AnchorAt(7, 4)}, AnchorAt(12, 4), 3},     // straight along the top
      {{AnchorAt(5, 5)}, AnchorAt(8, 10), 2},     // half a block up and left
      {{AnchorAt(4, 4)}, AnchorAt(12, 10), 0},    // already placed
      {{AnchorAt(11, 4)}, AnchorAt(12, 10), -1},  // no room behind it to push left
  };
  for (const Case& test : cases) {
    Design level = Room({AnchorAt(4, 4)});
    Position start{test.boxes, test.hero};
    PullOptions options;
    options.target = &start;
    const PullSearch search = PullFromPlaces(OpenAnchors(level.walls), level.places, options);
    EXPECT_EQ(search.starts.empty() ? -1 : search.starts[0].pushes, test.pushes)
        << ColumnOf(test.boxes[0]) << "," << RowOf(test.boxes[0]);
  }
  // Lessons of the pack that need a box met with half the hero's front.
  for (const auto& [name, pushes] : {std::pair<std::string, int>{"front", 2}, {"aside", 3}}) {
    const Design level = PackLevel(name);
    Position start{level.boxes, level.hero};
    PullOptions options;
    options.target = &start;
    const PullSearch search = PullFromPlaces(OpenAnchors(level.walls), level.places, options);
    ASSERT_EQ(search.starts.size(), 1u) << name;
    EXPECT_EQ(search.starts[0].pushes, pushes) << name;
  }
}

TEST(GeneratorTest, RandomRoomsAreClosedAndFloored) {
  std::mt19937 random(7);
  int made = 0;
  for (int draw = 0; draw < 40; draw++) {
    RoomShape shape;
    shape.width = 6 + draw % 16;
    shape.height = 6 + draw % 11;
    shape.rectangles = 1 + draw % 3;
    Design room;
    if (!MakeRoom(shape, &random, &room)) {
      continue;
    }
    made++;
    const AnchorSet open = OpenAnchors(room.walls);
    AnchorSet floors;
    for (int floor : room.floors) {
      floors.set(floor);
    }
    for (int place : room.places) {
      floors.set(place);
    }
    const auto walkable = CoveredCells(Reach(open, room.places[0]));
    EXPECT_EQ((walkable & ~CoveredCells(floors)).count(), 0u) << "cells without floor";
    EXPECT_EQ((CoveredCells(floors) & ~walkable).count(), 0u) << "floor past the walls";
    for (size_t a = 0; a < room.walls.size(); a++) {
      for (size_t b = a + 1; b < room.walls.size(); b++) {
        ASSERT_FALSE(BodiesOverlap(room.walls[a], room.walls[b]));
      }
    }
  }
  EXPECT_GT(made, 20);
}

}  // namespace
