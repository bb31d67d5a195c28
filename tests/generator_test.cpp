// generator_test.cpp: reverse play finds true fewest-push starts whose
// solutions the game's own move rules accept, and random rooms are closed.
#include <gtest/gtest.h>

#include <random>

#include "board/levelread.h"
#include "board/replay.h"
#include "generator/reverse.h"
#include "generator/room.h"
#include "tests/board_text.h"

namespace {

// Replays a solution, every letter a step and upper case exactly where it
// pushes, and expects the level solved in `pushes` pushes.
void ExpectSolves(const std::string& text, const std::string& solution, int pushes) {
  CLevel board;
  LoadBoardText(&board, text);
  std::string error;
  EXPECT_TRUE(ReplayMoves(&board, solution, &error)) << error;
  EXPECT_EQ(board.pushCount, pushes);
  EXPECT_TRUE(IsSolved(board));
}

Design Room(std::vector<int> places) {
  Design design;
  // A room of 10 x 8 cells inside walls, with one wall half a block out of line.
  for (int row = 2; row <= 12; row += 2) {
    for (int column = 2; column <= 14; column += 2) {
      const bool edge = row == 2 || row == 12 || column == 2 || column == 14;
      (edge ? design.walls : design.floors).push_back(AnchorAt(column, row));
    }
  }
  design.walls.push_back(AnchorAt(9, 7));
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

// The fewest pushes from the level's own start, measured by pulling; -1 when
// no pull reaches it.
int MeasuredPushes(const Design& level) {
  const Position start{level.boxes, level.hero};
  PullOptions options;
  options.target = &start;
  const PullSearch search = PullFromPlaces(OpenAnchors(level.walls), level.places, options);
  EXPECT_LE(search.starts.size(), 1u);
  return search.starts.empty() ? -1 : search.starts[0].pushes;
}

TEST(GeneratorTest, DeepestStartsAreSolvedInTheirPushesAndMeasureTheSame) {
  // The open room, and one with a corridor just as wide as the hero.
  for (const Design& room : {Room({AnchorAt(4, 4), AnchorAt(7, 5)}), PackLevel("jog")}) {
    const PullSearch search = PullFromPlaces(OpenAnchors(room.walls), room.places, {});
    ASSERT_TRUE(search.exhausted);
    ASSERT_FALSE(search.starts.empty());
    for (const PulledStart& start : search.starts) {
      Design level = room;
      level.boxes = start.start.boxes;
      level.hero = start.start.hero;
      ExpectSolves(TextOf(level, "t", "a"), start.solution, start.pushes);
      EXPECT_EQ(MeasuredPushes(level), start.pushes);
    }
  }
}

TEST(GeneratorTest, MeasuresKnownPushCounts) {
  const auto inRoom = [](int box, int hero) {
    Design level = Room({AnchorAt(4, 4)});
    level.boxes = {box};
    level.hero = hero;
    return level;
  };
  const struct {
    Design level;
    int pushes;
  } cases[] = {
      {inRoom(AnchorAt(7, 4), AnchorAt(12, 4)), 3},     // straight along the top
      {inRoom(AnchorAt(5, 5), AnchorAt(8, 10)), 2},     // half a block up and left
      {inRoom(AnchorAt(4, 4), AnchorAt(12, 10)), 0},    // already placed
      {inRoom(AnchorAt(11, 4), AnchorAt(12, 10)), -1},  // no room behind it to push left
      // Lessons of the pack that need a box met with half the hero's front.
      {PackLevel("front"), 3},
      {PackLevel("aside"), 9},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MeasuredPushes(c.level), c.pushes) << TextOf(c.level, "t", "a");
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
    room.floors.insert(room.floors.end(), room.places.begin(), room.places.end());
    for (int anchor : room.floors) {
      floors.set(anchor);
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
