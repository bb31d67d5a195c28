// level_tools_robustness_test.cpp: the level tools' readers take any bytes
// without reaching outside their buffers. The sanitizers of the test build
// turn a stray access into a failure, so the rounds only have to drive them.
#include <gtest/gtest.h>

#include <random>

#include "board/import.h"
#include "board/levelcheck.h"
#include "board/levelread.h"
#include "tests/board_text.h"

namespace {

TEST(LevelToolsRobustness, MangledLevelsAndClassicTextsAreJudgedWithoutStrayAccess) {
  // A clean walled room, so that rounds with few changes reach every check.
  std::vector<Cell> objects = {{2, 2, '@'}, {4, 2, '$'}};
  for (int column = 0; column <= 8; column += 2) {
    objects.insert(objects.end(), {{column, 0, '#'}, {column, 4, '#'}});
  }
  objects.insert(objects.end(), {{0, 2, '#'}, {8, 2, '#'}});
  const std::string text =
      BoardText(objects, {{2, 2, '_'}, {4, 2, '_'}, {6, 2, 'o'}}, "info2 a room\n");
  ASSERT_EQ(CheckLevelContents(text), std::vector<std::string>());
  const std::string sources[] = {text, LevelBytes(text), "; 1\n####\n#@$.#\n#####\n\n#+*#\n"};
  const char alphabet[] = "#$.@*+ -_\n;:Title\x01\x00\xff";
  std::mt19937 random(13);
  int checked = 0;
  for (int round = 0; round < 3000; round++) {
    std::string bytes = sources[round % 3];
    for (int i = random() % 8; i > 0; i--) {
      const size_t at =
          random() % (random() % 2 ? std::min<size_t>(32, bytes.size()) : bytes.size());
      bytes[at] = random() % 2 ? alphabet[random() % sizeof alphabet] : random();
    }
    if (random() % 4 == 0) {
      bytes.resize(random() % bytes.size());
    }
    checked += CheckLevelContents(bytes).empty();
    CLevel board;
    std::string level;
    std::string error;
    if (LevelContentsToBytes(bytes, &level, &error)) {
      LoadLevelBytes(level, &board, &error);
    }
    for (const ClassicLevel& classic : ParseClassicLevels(bytes)) {
      ClassicToLevelText(classic, &level, &error);
    }
  }
  EXPECT_GT(checked, 0) << "some rounds must leave a clean level to judge";
}

}  // namespace
