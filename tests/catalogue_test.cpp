// catalogue_test.cpp: hostile and broken input across the game and its tools,
// one row per input with the outcome it must have: a line naming what was
// wrong, a failing exit status where a tool fails, nothing written and no
// board half-changed, and the game going on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "board/levelfile.h"
#include "gfx/image.h"
#include "tests/support.h"

namespace {

// A FIFO nobody writes, a directory, or a sparse file of 100 MB that reads as
// zeros, at `path`; returns the path.
std::string Fifo(const std::string& path) {
  mkfifo(path.c_str(), 0600);
  return path;
}

std::string Dir(const std::string& path) {
  mkdir(path.c_str(), 0700);
  return path;
}

std::string Huge(const std::string& path) {
  std::ofstream(path).close();
  EXPECT_EQ(truncate(path.c_str(), 100 << 20), 0);
  return path;
}

const std::string NOOK = "level/standart/nook.lev";

// The board's whole state, byte for byte, to see that a refused load left it.
std::string BoardState(const CLevel& level) {
  return std::string(reinterpret_cast<const char*>(&level) + sizeof(void*),
                     sizeof(CLevel) - sizeof(void*));
}

// Sets the 4-byte little-endian header field at offset `at`.
std::string Bent(std::string bmp, int at, uint32_t value) {
  for (int i = 0; i < 4; i++) {
    bmp[at + i] = static_cast<char>(value >> 8 * i);
  }
  return bmp;
}

// A BMP of the given size and depth whose header fields can then be bent:
// offsets 10 (pixel data), 18 and 22 (width, height), 28 (depth), 46 (colours).
std::string Bmp(int width, int height, int depth) {
  const int colours = depth <= 8 ? 1 << depth : 0;
  const int rowBytes = (width * depth + 31) / 32 * 4;
  std::string bmp =
      "BM" + std::string(52, '\0') + std::string(4 * colours + rowBytes * height, '\x40');
  const int at[] = {2, 10, 14, 18, 22, 26, 34, 46};
  const int value[] = {int(bmp.size()), 54 + 4 * colours,  40,     width, height,
                       1 | depth << 16, rowBytes * height, colours};
  for (int i = 0; i < 8; i++) {
    bmp = Bent(bmp, at[i], value[i]);
  }
  return bmp;
}

// What a command printed on standard output, and its exit status: 124 when it
// had to be stopped after 20 seconds.
std::pair<std::string, int> Command(const std::string& command) {
  const std::string output = TempPath("command-output");
  const int status = system(("timeout 20 " + command + " >" + output + " 2>/dev/null").c_str());
  return {ReadFile(output), WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// The built programs stand next to this test binary.
std::string Program(const std::string& name) {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

const std::string TEXT_NOOK = "level/source/nook.txt";

// Level files the game is given: each is refused with its line and leaves the
// board exactly as the previous level left it, or loads whole.
TEST(Catalogue, LevelFiles) {
  GameHarness harness;
  std::string nook = ReadFile(NOOK);
  struct Case {
    std::string path;
    std::string error;  // the game's line names the path and this
    bool loads;
  };
  std::vector<Case> cases = {
      {Dir(TempPath("level-dir")), "can't open file", false},
      {Fifo(TempPath("level-fifo")), "can't open file", false},
      {"/dev/zero", "can't open file", false},
      {WriteTempFile("empty.lev", ""), "wrong file lenght", false},
      {WriteTempFile("short.lev", nook.substr(0, nook.size() - 1)), "wrong file lenght", false},
      {Huge(TempPath("huge.lev")), "wrong file format", true},  // read as far as it goes
  };
  // Cut anywhere in its header, a level is refused and the board kept.
  for (size_t cut = 1; cut <= 26; cut++) {
    const std::string name = "cut" + std::to_string(cut) + ".lev";
    cases.push_back({WriteTempFile(name, nook.substr(0, cut)), "wrong file lenght", false});
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    Output([&] { harness.board.Load(NOOK.c_str()); });
    harness.board.Move(DIR_LEFT);
    const std::string before = BoardState(harness.board);
    const std::string output = Output([&] { harness.board.Load(c.path.c_str()); });
    EXPECT_NE(output.find("ERROR Load Level '" + c.path + "': " + c.error + "\n"),
              std::string::npos)
        << output;
    EXPECT_EQ(BoardState(harness.board) != before, c.loads);
  }
}

// The pack's list: odd lists still give numbered entries or the pack's error
// line.
TEST(Catalogue, LevelLists) {
  GameHarness harness;
  std::string hundredThousand;
  for (int i = 1; i <= 100000; i++) {
    hundredThousand += "level" + std::to_string(i) + ".lev\n";
  }
  const struct {
    std::string what;
    std::string list;  // contents
    size_t entries;
    uint32_t number;   // then loaded
    std::string line;  // found in the output of reading and loading
    bool loads;
  } cases[] = {
      {"100,000 lines", hundredThousand, 100000, 100000, "/level100000.lev': can't open file",
       false},
      {"a line longer than any path", std::string(5000, 'n') + "\nnook.lev", 2, 1,
       "can't open file", false},
      {"a NUL byte inside a name", std::string("nook.lev\0.old\n", 14), 1, 1,
       "ERROR Load Level 1: the list names it with a NUL byte", false},
      {"no final line feed", "nook.lev\nshelf.lev", 2, 2, "shelf.lev'... OK", true},
      {"itself", "list\n", 1, 1, "/list': wrong file lenght", false},
      {"10 MB", "shelf.lev\n" + std::string((10 << 20) - 10, '\0'), 2, 1, "shelf.lev'... OK", true},
      {"longer than 10 MB", std::string((10 << 20) + 1, '\n'), 0, 1, "list longer than 10485760",
       false},
  };
  const std::string pack = Dir(TempPath("pack"));
  for (const char* name : {"nook.lev", "shelf.lev"}) {
    std::filesystem::create_symlink(std::filesystem::current_path() / "level/standart" / name,
                                    pack + "/" + name);
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::ofstream(pack + "/list", std::ios::binary) << c.list;
    harness.game.levelList.clear();
    Output([&] { harness.board.Load(NOOK.c_str()); });
    const std::string before = BoardState(harness.board);
    testing::internal::CaptureStdout();
    harness.game.LoadLevelPak(pack.c_str());
    harness.game.LoadLevel(c.number);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(harness.game.levelList.size(), c.entries);
    EXPECT_NE(output.find(c.line), std::string::npos) << output.substr(0, 300);
    EXPECT_EQ(BoardState(harness.board) != before, c.loads);
  }
}

// Pictures: the usual depths load; a header that lies or a file that is no
// picture gives the loader's line and no picture, and nothing hangs.
TEST(Catalogue, Pictures) {
  DummyScreen();
  const std::string good = Bmp(5, 3, 24);
  const struct {
    std::string path;
    bool loads;
  } cases[] = {
      {WriteTempFile("1.bmp", Bmp(5, 3, 1)), true},
      {WriteTempFile("4.bmp", Bmp(5, 3, 4)), true},
      {WriteTempFile("8.bmp", Bmp(5, 3, 8)), true},
      {WriteTempFile("24.bmp", good), true},
      {WriteTempFile("32.bmp", Bmp(5, 3, 32)), true},
      {WriteTempFile("topdown.bmp", Bent(good, 22, -3)), true},
      {WriteTempFile("w0.bmp", Bent(good, 18, 0)), false},
      {WriteTempFile("tall.bmp", Bent(good, 22, 30000)), false},
      {WriteTempFile("20bits.bmp", Bent(good, 28, 20)), false},  // fits, but no blitter
      {WriteTempFile("offset.bmp", Bent(good, 10, 1 << 20)), false},
      {WriteTempFile("zero.bmp", ""), false},
      {Fifo(TempPath("picture-fifo")), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    for (bool texture : {false, true}) {
      testing::internal::CaptureStdout();
      SDL_Surface* picture =
          texture ? LoadTexture(c.path.c_str(), 40, 30) : LoadImage(c.path.c_str());
      const std::string output = testing::internal::GetCapturedStdout();
      EXPECT_EQ(picture != nullptr, c.loads);
      EXPECT_EQ(output, c.loads ? ""
                                : std::string("ERROR ") + (texture ? "LoadTexture" : "LoadImage") +
                                      ": can't load image " + c.path + "\n");
      FreeImage(picture);
    }
  }
}

// Text levels: what is wrong is named with its line; CR LF ends read as LF.
TEST(Catalogue, TextLevels) {
  const std::string nook = ReadFile(TEXT_NOOK);
  const size_t ground = nook.find("ground\n");
  std::string crlf;
  for (char c : nook) {
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  }
  const std::string wide = "éééééééééééééééé";  // two bytes each
  std::string tabbed = nook;
  tabbed[ground + 7 + 3] = '\t';
  const struct {
    std::string what;
    std::string text;
    std::string error;  // empty: builds the same bytes as the source
  } cases[] = {
      {"CR LF line ends", crlf, ""},
      {"a layer one row short", nook.substr(0, ground - 26) + nook.substr(ground),
       ": expected 25 cells but found 6"},
      {"a layer one row long", nook.substr(0, ground) + nook.substr(ground - 26),
       ": expected 'ground' but found '"},
      {"a tab among the cells", tabbed, "column 3: expected one of .@_#$o but found '\t'"},
      {"a UTF-8 title of 32 bytes", "info1 " + wide + "\n" + nook,
       "line 1: expected one info1 line with at most 30 bytes of text"},
  };
  std::string want;
  std::string error;
  ASSERT_TRUE(LevelTextToBytes(nook, &want, &error));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes;
    error.clear();
    EXPECT_EQ(LevelTextToBytes(c.text, &bytes, &error), c.error.empty());
    if (c.error.empty()) {
      EXPECT_EQ(bytes, want);
    } else {
      EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
  }
}

// The level tool on the same kinds of input: a failing exit status, a line
// naming the file and what was wrong, and no file written.
TEST(Catalogue, LevelTool) {
  const std::string tool = Program("velm2-level");
  const std::string kept = WriteTempFile("kept.lev", "an older level");
  std::string moves = ReadFile("level/source/nook.solution");
  moves.insert(moves.size() - 1, "\r");  // a CR LF line end
  const struct {
    std::string arguments;
    int status;
    std::string line;  // found in the output
  } cases[] = {
      {"show " + Dir(TempPath("tool-dir")), 1, "': can't open: not a regular file"},
      {"show " + Huge(TempPath("tool-huge")), 1, "too large for a level"},
      // Each reader's size limit, one byte short of it and at it.
      {"show " + WriteTempFile("64k-1", std::string((1 << 16) - 1, 'x')), 1, "line 1: expected"},
      {"show " + WriteTempFile("64k", std::string(1 << 16, 'x')), 1, "too large for a level"},
      {"replay " + NOOK + " @" + WriteTempFile("1m-1", std::string((1 << 20) - 1, 'x')), 1,
       "step 1 'x': not a move letter"},
      {"replay " + NOOK + " @" + WriteTempFile("1m", std::string(1 << 20, 'x')), 1,
       "too large: 1048576 bytes or more"},
      {"import " + WriteTempFile("16m-1", std::string((16 << 20) - 1, 'x')), 1,
       "no level pictures found"},
      {"import " + WriteTempFile("16m", std::string(16 << 20, 'x')), 1,
       "too large: 16777216 bytes or more"},
      {"show " + WriteTempFile("tool-cut", ReadFile(NOOK).substr(0, 600)), 1,
       "expected " + std::to_string(ReadFile(NOOK).size()) + " bytes but found 600"},
      {"build " + WriteTempFile("tab.txt", "objects\t\n") + " " + kept, 1, "line 1: expected"},
      {"build " + TEXT_NOOK + " " + Dir(TempPath("out-dir")), 1, "can't write"},
      {"replay " + NOOK + " ddxd", 1, "step 3 'x': not a move letter"},
      {"replay " + NOOK + " @" + WriteTempFile("crlf.moves", moves), 0, "solved"},
      {"import " + WriteTempFile("words.txt", "no rooms here\n") + " -o " +
           Dir(TempPath("import-out")),
       1, "no level pictures found"},
      {"import " + WriteTempFile("room.txt", "#####\n#@$.#\n#####\n") + " -o " +
           TempPath("nowhere"),
       1, "ERROR velm2-level"},
      {"", 2, "usage: velm2-level"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const auto [output, status] = Command(tool + " " + c.arguments);
    EXPECT_EQ(status, c.status) << output;
    EXPECT_NE(output.find(c.line), std::string::npos) << output;
  }
  EXPECT_EQ(ReadFile(kept), "an older level");
  EXPECT_FALSE(std::filesystem::exists(TempPath("nowhere")));
}

// Without an X display the game says so and ends with its start-up failure
// status at once.
TEST(Catalogue, GameWithoutDisplay) {
  const auto [output, status] =
      Command("env -u DISPLAY -u SDL_VIDEODRIVER " + Program("velm2") + " -window");
  EXPECT_EQ(status, 255);
  EXPECT_NE(output.find("ERROR init SDL: "), std::string::npos) << output;
  EXPECT_EQ(output.find("Init SDL video... OK"), std::string::npos);
}

}  // namespace
