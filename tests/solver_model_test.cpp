// solver_model_test.cpp: the solver's model of a step agrees with
// CLevel::Move on long random walks: the same steps allowed, the same pushes,
// the same boards.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "solver/model.h"
#include "tests/board_text.h"
#include "tests/solver_levels.h"
#include "tests/support.h"

namespace {

// Puts an object at a model cell of the board, keeping its ground.
void Put(CLevel* level, int cell, int object) {
  const int column = PushModel::Column(cell);
  const int row = PushModel::Row(cell);
  PlaceTiles(level, column, row, object, level->groundLayer[row][column].kind);
}

// The model's position, kept beside the board and stepped with the model's
// own rule.
struct ModelWalk {
  PushModel model;
  Cover cover;
  std::vector<uint16_t> boxes;
  int hero = 0;

  explicit ModelWalk(const CLevel& level) {
    std::string error;
    EXPECT_TRUE(model.Init(level, &error)) << error;
    boxes = model.boxes;
    hero = model.hero;
    for (size_t i = 0; i < boxes.size(); i++) {
      PushModel::CoverBody(&cover, boxes[i], static_cast<uint8_t>(i + 1));
    }
  }
  int Step(int dir) {
    const int outcome = model.StepOutcome(cover, boxes.data(), hero, dir);
    if (outcome > 0) {
      PushModel::CoverBody(&cover, boxes[outcome - 1], 0);
      boxes[outcome - 1] = static_cast<uint16_t>(boxes[outcome - 1] + model.offset[dir]);
      PushModel::CoverBody(&cover, boxes[outcome - 1], static_cast<uint8_t>(outcome));
    }
    if (outcome >= 0) {
      hero += model.offset[dir];
    }
    return outcome;
  }
  // Puts the hero at `cell` on the board and in the model, when it fits
  // there, so that walks reach boxes that a walk from the start would not.
  void Teleport(CLevel* level, int cell) {
    if (!model.anchorFree[cell] || PushModel::BodyBoxes(cover, cell) != 0) {
      return;
    }
    Put(level, hero, TILE_NONE);
    Put(level, cell, TILE_HERO);
    hero = cell;
    level->heroX = static_cast<uint8_t>(PushModel::Column(cell));
    level->heroY = static_cast<uint8_t>(PushModel::Row(cell));
  }
  // Moves box i to `cell` on the board and in the model, when it fits there.
  void MoveBox(CLevel* level, int i, int cell) {
    const uint8_t mark = static_cast<uint8_t>(i + 1);
    if (!model.anchorFree[cell] || !PushModel::BodyClearBut(cover, cell, mark) ||
        (std::abs(PushModel::Column(cell) - PushModel::Column(hero)) < 2 &&
         std::abs(PushModel::Row(cell) - PushModel::Row(hero)) < 2)) {
      return;
    }
    const int from = boxes[i];
    Put(level, from, TILE_NONE);
    Put(level, cell, TILE_BOX);
    PushModel::CoverBody(&cover, from, 0);
    PushModel::CoverBody(&cover, cell, mark);
    boxes[i] = static_cast<uint16_t>(cell);
  }
  // Whether the board has the hero and a box wherever the model has them;
  // neither ever adds or loses a box, so the boxes are then the same.
  bool Agrees(const CLevel& level) const {
    bool same = PushModel::Column(hero) == level.heroX && PushModel::Row(hero) == level.heroY;
    for (int box : boxes) {
      same = same && KindAt(level, PushModel::Column(box), PushModel::Row(box)) == TILE_BOX;
    }
    return same;
  }
};

// Walks `steps` random steps, mostly repeating the last direction so that
// boxes travel, and checks every step against the board.
int WalkAndCompare(CLevel* level, std::mt19937* random, int steps) {
  ModelWalk walk(*level);
  int dir = 0;
  int pushes = 0;
  for (int step = 0; step < steps; step++) {
    // Boxes jam against walls and each other, and a hero on its own finds
    // few; now and then a box is moved to a random spot and the hero is put
    // beside a box.
    if (step % 25 == 0 && !walk.boxes.empty()) {
      const int box = static_cast<int>((*random)() % walk.boxes.size());
      if (step % 100 == 0) {
        walk.MoveBox(level, box, static_cast<int>((*random)() % MODEL_CELLS));
      }
      const int dx = static_cast<int>((*random)() % 5) - 2;
      const int dy = static_cast<int>((*random)() % 5) - 2;
      walk.Teleport(level, walk.boxes[box] + dy * MODEL_WIDTH + dx);
    }
    if ((*random)() % 4 == 0) {
      dir = static_cast<int>((*random)() % 4);
    }
    const int pushesBefore = level->pushCount;
    const bool moved = level->Move(DIRECTION_CODES[dir]);
    level->AnimateTiles(1);
    const int outcome = walk.Step(dir);
    const bool pushed = level->pushCount != pushesBefore;
    if ((outcome >= 0) != moved || (outcome > 0) != pushed || !walk.Agrees(*level)) {
      ADD_FAILURE() << "step " << step << " direction " << dir << " outcome " << outcome;
      return 0;
    }
    pushes += outcome > 0;
  }
  return pushes;
}

TEST(SolverModelTest, AgreesWithTheBoardOnRandomLevelsAndThePack) {
  std::mt19937 random(13);
  auto level = std::make_unique<CLevel>();
  int pushes = 0;
  for (int round = 0; round < 40; round++) {
    SCOPED_TRACE("round " + std::to_string(round));
    RandomLevel(&random, level.get(), 8 + round % 7 * 2, 6 + round % 5 * 2, 3 + round % 6,
                round % 2 == 0);
    pushes += WalkAndCompare(level.get(), &random, 3000);
  }
  // Walks that seldom push would test little.
  EXPECT_GT(pushes, 40 * 3000 / 50);
  std::ifstream list("level/standart/list");
  int levels = 0;
  for (std::string name; std::getline(list, name); levels++) {
    SCOPED_TRACE(name);
    Output([&] { level->Load(("level/standart/" + name).c_str()); });
    pushes += WalkAndCompare(level.get(), &random, 2000);
  }
  EXPECT_GT(levels, 50);
  EXPECT_GT(pushes, 40 * 3000 / 50 + levels * 2000 / 100);
}

}  // namespace
