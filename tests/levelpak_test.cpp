// levelpak_test.cpp: reading the pack's list and choosing levels by number.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support.h"

namespace {

// A pack directory holding a list file with the given bytes.
std::string PackWithList(const std::string& bytes) {
  std::string dir = WriteTempFile("pack-XXXXXX", "");
  unlink(dir.c_str());
  std::vector<char> pattern(dir.begin(), dir.end());
  pattern.push_back('\0');
  std::string made = mkdtemp(pattern.data());
  FILE* list = fopen((made + "/list").c_str(), "wb");
  fwrite(bytes.data(), 1, bytes.size(), list);
  fclose(list);
  return made;
}

class LevelPakTest : public testing::Test {
 protected:
  // Reads a list and returns the names of its entries without the pack path.
  std::vector<std::string> Entries(const std::string& bytes) {
    std::string pack = PackWithList(bytes);
    testing::internal::CaptureStdout();
    EXPECT_EQ(harness.game.LoadLevelPak(pack.c_str()), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Load Level Pak '" + pack + "'... OK\n");
    std::vector<std::string> names;
    for (const std::string& entry : harness.game.levelList) {
      EXPECT_EQ(entry.compare(0, pack.size() + 1, pack + "/"), 0) << entry;
      names.push_back(entry.substr(pack.size() + 1));
    }
    return names;
  }

  // What choosing a level printed; the levels named in the list do not exist,
  // so the loader's error line tells which entry was chosen.
  std::string Output(void (*step)()) {
    testing::internal::CaptureStdout();
    step();
    return testing::internal::GetCapturedStdout();
  }

  GameHarness harness;
};

using Names = std::vector<std::string>;

TEST_F(LevelPakTest, EveryLineNamesOneLevelWithOrWithoutAFinalLineFeed) {
  EXPECT_EQ(Entries("a.lev\nb.lev"), (Names{"a.lev", "b.lev"}));
  harness.game.levelList.clear();
  EXPECT_EQ(Entries("a.lev\nb.lev\n"), (Names{"a.lev", "b.lev"}));
}

TEST_F(LevelPakTest, CarriageReturnsVanishWhereverTheyStand) {
  EXPECT_EQ(Entries("a.lev\r\nsub/b\r.lev\r\n"), (Names{"a.lev", "sub/b.lev"}));
}

TEST_F(LevelPakTest, ByteTwentySixEndsTheList) {
  EXPECT_EQ(Entries("a.lev\nb.l\x1a" "ev\nc.lev\n"), (Names{"a.lev", "b.l"}));
}

TEST_F(LevelPakTest, EmptyLinesKeepTheirPlaceSoNumbersNeverShift) {
  EXPECT_EQ(Entries("a.lev\n\n c.lev \n"), (Names{"a.lev", "", " c.lev "}));
}

TEST_F(LevelPakTest, EmptyListGivesNoLevels) { EXPECT_EQ(Entries(""), Names{}); }

TEST_F(LevelPakTest, MissingListIsReportedAndLeavesTheListAlone) {
  harness.game.levelList = {"kept"};
  testing::internal::CaptureStdout();
  EXPECT_EQ(harness.game.LoadLevelPak("no/such/pack"), -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "ERROR Load Level Pak 'no/such/pack': can't open file\n");
  EXPECT_EQ(harness.game.levelList, Names{"kept"});
}

TEST_F(LevelPakTest, PlusAndMinusStepThroughThePackAndStartOverAtEitherEnd) {
  harness.game.levelList = {"p/one", "p/two"};
  harness.game.levelNumber = 1;

  EXPECT_EQ(Output(NextLevel), "ERROR Load Level 'p/two': can't open file\n");
  EXPECT_EQ(harness.game.levelNumber, 2u);
  EXPECT_EQ(Output(NextLevel), "ERROR Load Level 'p/two': can't open file\n");
  EXPECT_EQ(harness.game.levelNumber, 2u);
  EXPECT_EQ(Output(PrevLevel), "ERROR Load Level 'p/one': can't open file\n");
  EXPECT_EQ(Output(PrevLevel), "ERROR Load Level 'p/one': can't open file\n");
  EXPECT_EQ(harness.game.levelNumber, 1u);
}

TEST_F(LevelPakTest, ALevelFromTheCommandLineGoesOnToLevelOne) {
  harness.game.levelList = {"p/one", "p/two"};
  testing::internal::CaptureStdout();
  harness.game.LoadLevelFile("my.lev");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR Load Level 'my.lev': can't open file\n");
  EXPECT_EQ(harness.game.levelNumber, 0u);
  EXPECT_EQ(Output(NextLevel), "ERROR Load Level 'p/one': can't open file\n");
  EXPECT_EQ(harness.game.levelNumber, 1u);
}

TEST_F(LevelPakTest, NumbersOutsideThePackLoadNothingAndSaySo) {
  harness.board.heroX = 7;
  harness.game.levelNumber = 0;
  EXPECT_EQ(Output(PrevLevel), "ERROR Load Level 0: no such level in the pack\n");
  EXPECT_EQ(harness.game.levelNumber, 0u);

  testing::internal::CaptureStdout();
  harness.game.LoadLevel(1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "ERROR Load Level 1: no such level in the pack\n");
  EXPECT_EQ(harness.game.levelNumber, 1u) << "the number asked for is kept";
  EXPECT_EQ(harness.board.heroX, 7) << "the board is kept";
}

}  // namespace
