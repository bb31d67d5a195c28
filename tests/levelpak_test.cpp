// levelpak_test.cpp: reading the pack's list and choosing levels by number.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/support.h"

namespace {

using Names = std::vector<std::string>;

class LevelPakTest : public testing::Test {
 protected:
  GameHarness harness;
  CGame& game = harness.game;
};

TEST_F(LevelPakTest, EveryLineOfTheListNamesOneLevel) {
  const struct {
    std::string list;
    Names names;
  } cases[] = {
      {"a.lev\nb.lev", {"a.lev", "b.lev"}},
      {"a.lev\nb.lev\n", {"a.lev", "b.lev"}},  // no phantom level after the last line
      {"a.lev\r\nsub/b\r.lev\r\n", {"a.lev", "sub/b.lev"}},
      {"a.lev\nb.l\x1a"
       "ev\nc.lev\n",
       {"a.lev", "b.l"}},
      {"a.lev\n\n c.lev \n", {"a.lev", "", " c.lev "}},  // numbers never shift
  };
  const std::string pack = TempPath("pack");
  mkdir(pack.c_str(), 0700);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    WriteTempFile("pack/list", c.list);
    game.levelList.clear();
    testing::internal::CaptureStdout();
    EXPECT_EQ(game.LoadLevelPak(pack.c_str()), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Load Level Pak '" + pack + "'... OK\n");
    Names want;
    for (const std::string& name : c.names) {
      want.push_back(pack + "/" + name);
    }
    EXPECT_EQ(game.levelList, want);
  }
}

TEST_F(LevelPakTest, MissingListIsReportedAndLeavesTheListAlone) {
  game.levelList = {"kept"};
  testing::internal::CaptureStdout();
  EXPECT_EQ(game.LoadLevelPak("no/such/pack"), -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "ERROR Load Level Pak 'no/such/pack': can't open file\n");
  EXPECT_EQ(game.levelList, Names{"kept"});
}

TEST_F(LevelPakTest, PlusAndMinusStepThroughThePackAndStartOverAtEitherEnd) {
  game.levelList = {"p/one", "p/two"};
  testing::internal::CaptureStdout();
  // From a level given on the command line, Plus goes to level 1.
  game.LoadLevelFile("my.lev");
  EXPECT_EQ(game.levelNumber, 0u);
  for (void (*step)() : {NextLevel, NextLevel, NextLevel, PrevLevel, PrevLevel}) {
    step();
  }
  std::string loads;
  for (const char* path : {"my.lev", "p/one", "p/two", "p/two", "p/one", "p/one"}) {
    loads += "ERROR Load Level '" + std::string(path) + "': can't open file\n";
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(), loads);
  EXPECT_EQ(game.levelNumber, 1u);
}

TEST_F(LevelPakTest, NumbersOutsideThePackLoadNothingAndSaySo) {
  harness.board.heroX = 7;
  testing::internal::CaptureStdout();
  PrevLevel();
  EXPECT_EQ(game.levelNumber, 0u);
  game.levelNumber = 1;
  PrevLevel();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "ERROR Load Level 0: no such level in the pack\n"
            "ERROR Load Level 1: no such level in the pack\n");
  EXPECT_EQ(game.levelNumber, 1u) << "the number asked for is kept";
  EXPECT_EQ(harness.board.heroX, 7) << "the board is kept";
}

}  // namespace
