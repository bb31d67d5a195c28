// level_pack_test.cpp: the shipped levels are built from their sources, closed,
// floored, and solved by their stored solutions.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <queue>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "board/levelfile.h"
#include "tests/board_text.h"
#include "tests/support.h"

namespace {

const char PACK[] = "level/standart";

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << "can't open " << path;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// "level/standart/nook.lev" -> "level/source/nook".
std::string SourceStem(const std::string& entry) {
  const std::string name = entry.substr(entry.rfind('/') + 1);
  return "level/source/" + name.substr(0, name.rfind('.'));
}

using Anchor = std::pair<int, int>;
using Anchors = std::vector<Anchor>;

Anchors AnchorsOf(const Tile (&layer)[BOARD_ROWS][BOARD_COLUMNS], int kind) {
  Anchors anchors;
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      if (layer[row][column].kind == kind) {
        anchors.push_back({column, row});
      }
    }
  }
  return anchors;
}

// True when the 2 x 2 body anchored at `anchor` lies wholly on floor and place
// tiles. A place anchored where a floor would be stands in for it.
bool OnFloor(const CLevel& board, Anchor anchor) {
  Anchors ground = AnchorsOf(board.groundLayer, TILE_FLOOR);
  const Anchors places = AnchorsOf(board.groundLayer, TILE_PLACE);
  ground.insert(ground.end(), places.begin(), places.end());
  std::set<Anchor> floored;
  for (const Anchor& floor : ground) {
    for (int dx : {0, 1}) {
      for (int dy : {0, 1}) {
        floored.insert({floor.first + dx, floor.second + dy});
      }
    }
  }
  for (int dx : {0, 1}) {
    for (int dy : {0, 1}) {
      if (!floored.count({anchor.first + dx, anchor.second + dy})) {
        return false;
      }
    }
  }
  return true;
}

// Every anchor the hero can walk to once the boxes are taken away, found
// with the game's own move rules.
std::set<Anchor> HeroRange(const CLevel& level) {
  CLevel board = level;
  for (const Anchor& box : AnchorsOf(board.objectLayer, TILE_BOX)) {
    board.objectLayer[box.second][box.first].kind = TILE_NONE;
  }
  std::set<Anchor> seen = {{board.heroX, board.heroY}};
  std::queue<Anchor> next;
  next.push({board.heroX, board.heroY});
  while (!next.empty()) {
    const Anchor at = next.front();
    next.pop();
    for (int code : {DIR_UP, DIR_DOWN, DIR_LEFT, DIR_RIGHT}) {
      board.objectLayer[board.heroY][board.heroX].kind = TILE_NONE;
      board.heroX = at.first;
      board.heroY = at.second;
      board.objectLayer[at.second][at.first].Init(0, 0, OBJECT_FRAME, OBJECT_FRAME, TILE_HERO);
      if (board.Move(code) && seen.insert({board.heroX, board.heroY}).second) {
        next.push({board.heroX, board.heroY});
      }
    }
  }
  return seen;
}

int Code(char letter) {
  switch (letter) {
    case 'U':
      return DIR_UP;
    case 'D':
      return DIR_DOWN;
    case 'L':
      return DIR_LEFT;
    case 'R':
      return DIR_RIGHT;
    default:
      ADD_FAILURE() << "no direction: '" << letter << "'";
      return 0;
  }
}

class LevelPackTest : public testing::Test {
 protected:
  void SetUp() override {
    testing::internal::CaptureStdout();
    harness.game.LoadLevelPak(PACK);
    testing::internal::GetCapturedStdout();
    ASSERT_GE(harness.game.levelList.size(), 3u);
  }
  // Loads level `number` of the pack into the harness's board.
  void LoadLevel(uint32_t number) {
    testing::internal::CaptureStdout();
    harness.game.LoadLevel(number);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Load Level '" + harness.game.levelList[number - 1] + "'... OK\n");
  }
  GameHarness harness;
  CLevel& board = harness.board;
};

TEST_F(LevelPackTest, EveryLevelFileIsWhatItsSourceBuilds) {
  for (const std::string& entry : harness.game.levelList) {
    SCOPED_TRACE(entry);
    std::string bytes;
    std::string error;
    ASSERT_TRUE(LevelTextToBytes(ReadFile(SourceStem(entry) + ".txt"), &bytes, &error)) << error;
    EXPECT_TRUE(bytes == ReadFile(entry)) << "rebuild it with velm2-level build";
  }
}

TEST_F(LevelPackTest, EveryLevelIsAClosedFlooredRoomWithABoxForEachPlace) {
  for (uint32_t number = 1; number <= harness.game.levelList.size(); number++) {
    SCOPED_TRACE(harness.game.levelList[number - 1]);
    LoadLevel(number);
    const Anchors heroes = AnchorsOf(board.objectLayer, TILE_HERO);
    const Anchors boxes = AnchorsOf(board.objectLayer, TILE_BOX);
    const Anchors places = AnchorsOf(board.groundLayer, TILE_PLACE);
    ASSERT_EQ(heroes, Anchors{Anchor(board.heroX, board.heroY)});
    EXPECT_EQ(boxes.size(), board.boxCount);
    EXPECT_EQ(places.size(), board.boxCount);
    EXPECT_GT(board.boxCount, 0);

    Anchors objects = AnchorsOf(board.objectLayer, TILE_WALL);
    objects.insert(objects.end(), boxes.begin(), boxes.end());
    objects.push_back(heroes[0]);
    for (size_t a = 0; a < objects.size(); a++) {
      for (size_t b = a + 1; b < objects.size(); b++) {
        EXPECT_FALSE(abs(objects[a].first - objects[b].first) < 2 &&
                     abs(objects[a].second - objects[b].second) < 2)
            << "bodies overlap at " << objects[a].first << "," << objects[a].second << " and "
            << objects[b].first << "," << objects[b].second;
      }
    }
    for (const Anchor& thing : boxes) {
      EXPECT_TRUE(OnFloor(board, thing)) << "box at " << thing.first << "," << thing.second;
    }
    const std::set<Anchor> range = HeroRange(board);
    EXPECT_GT(range.size(), 20u);
    for (const Anchor& thing : range) {
      EXPECT_TRUE(OnFloor(board, thing))
          << "the hero walks off the floor at " << thing.first << "," << thing.second;
    }
  }
}

TEST_F(LevelPackTest, EveryStoredSolutionPlacesEveryBox) {
  for (uint32_t number = 1; number <= harness.game.levelList.size(); number++) {
    const std::string entry = harness.game.levelList[number - 1];
    SCOPED_TRACE(entry);
    LoadLevel(number);
    std::string solution = ReadFile(SourceStem(entry) + ".solution");
    ASSERT_EQ(solution.back(), '\n');
    solution.pop_back();
    ASSERT_FALSE(solution.empty());

    for (size_t step = 0; step < solution.size(); step++) {
      ASSERT_TRUE(board.Move(Code(solution[step])))
          << "step " << step + 1 << " '" << solution[step] << "' is refused";
      FinishGlides(&board);
    }

    EXPECT_EQ(AnchorsOf(board.objectLayer, TILE_BOX), AnchorsOf(board.groundLayer, TILE_PLACE));
    harness.game.screenState = GAME_PLAY;
    board.CheckComplete();
    EXPECT_EQ(harness.game.screenState, GAME_WIN);
  }
}

}  // namespace
