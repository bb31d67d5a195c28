// level.cpp: velm2-level, the level designer's tool: one function per command.
//
// Every command that reads a level takes a level file or a text level alike;
// the text format is described in board/levelfile.h and level/README.md.
// Results go to standard output, each fault as one ERROR line naming the file,
// and the exit status is 0 only when the command did all it was asked.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "board/import.h"
#include "board/levelcheck.h"
#include "board/levelfile.h"
#include "board/levelread.h"
#include "board/replay.h"
#include "picture/look.h"
#include "solver/solver.h"

namespace {

const char USAGE[] =
    "usage: velm2-level COMMAND ARGUMENTS\n"
    "\n"
    "  build LEVEL LEVELFILE   writes the level file of a text level\n"
    "  show LEVEL              prints a level as a text level\n"
    "  check LEVEL...          lists every fault a player would meet, one line each,\n"
    "                          and what would look unfinished, drawn with the game's\n"
    "                          pictures\n"
    "  import FILE [-o DIR]    writes each level of a classic plain-text file as a\n"
    "                          text level DIR/NAME-NNN.txt (DIR: the current one)\n"
    "  solve LEVEL [--limit SECONDS] [--memory MB] [--moves]\n"
    "                          prints a solution with the fewest pushes (with\n"
    "                          --moves the fewest moves) on its first line, then\n"
    "                          its counts; gives up at the time or memory limit\n"
    "  replay LEVEL MOVES      plays MOVES (letters, or @FILE holding them) and\n"
    "                          says whether they solve the level\n"
    "  --help                  prints this text\n"
    "\n"
    "A LEVEL is a level file or a text level (see level/README.md).\n";

// Exit status for a command line that asks for nothing the tool does.
const int EXIT_USAGE = 2;

// A solution file for replay holds one line of letters; none comes near this.
const size_t SOLUTION_LIMIT = 1 << 20;

// Classic files hold whole collections; none comes near this.
const size_t CLASSIC_FILE_LIMIT = 16 << 20;

using Arguments = std::vector<std::string>;

void PrintError(const std::string& path, const std::string& error) {
  printf("ERROR velm2-level: '%s': %s\n", path.c_str(), error.c_str());
}

// For commands that take files only: false, with the reason printed, for an
// option or when `countFits` says the files are too few or too many.
bool ArgumentsFit(const Arguments& args, bool countFits) {
  for (const std::string& arg : args) {
    if (arg.size() > 1 && arg[0] == '-') {
      printf("ERROR velm2-level: unknown option '%s'\n", arg.c_str());
      return false;
    }
  }
  if (!countFits) {
    fputs(USAGE, stdout);
  }
  return countFits;
}

// Reads a whole file that must stay under `limit` bytes; prints the error.
bool ReadSmallFile(const std::string& path, size_t limit, std::string* bytes) {
  std::string error;
  if (!ReadRegularFile(path, limit, bytes, &error)) {
    PrintError(path, error);
    return false;
  }
  if (bytes->size() >= limit) {
    PrintError(path, "too large: " + std::to_string(limit) + " bytes or more");
    return false;
  }
  return true;
}

// Reads a level file or a text level as level file bytes; prints the error.
bool ReadLevel(const std::string& path, std::string* bytes) {
  std::string error;
  if (!ReadLevelFileBytes(path, bytes, &error)) {
    PrintError(path, error);
    return false;
  }
  return true;
}

int Build(const Arguments& args) {
  if (!ArgumentsFit(args, args.size() == 2)) {
    return EXIT_USAGE;
  }
  std::string bytes;
  std::string error;
  if (!ReadLevel(args[0], &bytes)) {
    return 1;
  }
  if (!WriteRegularFile(args[1], bytes, &error)) {
    PrintError(args[1], error);
    return 1;
  }
  return 0;
}

int Show(const Arguments& args) {
  if (!ArgumentsFit(args, args.size() == 1)) {
    return EXIT_USAGE;
  }
  std::string bytes;
  std::string text;
  std::string error;
  if (!ReadLevel(args[0], &bytes)) {
    return 1;
  }
  if (!LevelBytesToText(bytes, &text, &error)) {
    PrintError(args[0], error);
    return 1;
  }
  fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

// The folder that holds the game's data/: the working directory when it has
// the pictures, as the source tree does, else where the game is installed.
std::string GameFolder() {
  if (access("data/wall.bmp", R_OK) == 0) {
    return ".";
  }
  char tool[4096];
  const ssize_t length = readlink("/proc/self/exe", tool, sizeof tool - 1);
  if (length <= 0) {
    return ".";
  }
  const std::string path(tool, length);
  return path.substr(0, path.rfind('/') + 1) + VELM2_DATA_FROM_TOOL;
}

int Check(const Arguments& args) {
  if (!ArgumentsFit(args, !args.empty())) {
    return EXIT_USAGE;
  }
  LookCheck look(GameFolder());
  int status = 0;
  if (!look.Unavailable().empty()) {
    printf("ERROR velm2-level: no look check: %s\n", look.Unavailable().c_str());
    status = 1;
  }
  // The first level seen with each set of walls, by path and bytes: a text
  // level and the level file built from it are one level, not two alike.
  std::map<std::string, std::pair<std::string, std::string>> shapes;
  for (const std::string& path : args) {
    std::string contents;
    std::string bytes;
    std::string error;
    if (!ReadRegularFile(path, LEVEL_CONTENTS_LIMIT, &contents, &error) ||
        !CheckLevelSize(contents, &error)) {
      PrintError(path, error);
      status = 1;
      continue;
    }
    std::vector<std::string> problems = CheckLevelContents(contents);
    if (LevelContentsToBytes(contents, &bytes, &error)) {
      for (const std::string& problem : DescribeLevelProblems(contents, look.Check(bytes))) {
        problems.push_back(problem);
      }
      const auto [first, added] = shapes.emplace(WallShape(bytes), std::make_pair(path, bytes));
      if (!first->first.empty() && !added && first->second.second != bytes) {
        problems.push_back("the same walls as '" + first->second.first + "'");
      }
    }
    for (const std::string& problem : problems) {
      printf("%s: %s\n", path.c_str(), problem.c_str());
    }
    if (problems.empty()) {
      printf("%s: OK\n", path.c_str());
    } else {
      status = 1;
    }
  }
  return status;
}

int Import(const Arguments& args) {
  Arguments files;
  std::string directory = ".";
  for (size_t index = 0; index < args.size(); index++) {
    if (args[index] != "-o") {
      files.push_back(args[index]);
    } else if (index + 1 < args.size()) {
      directory = args[++index];
    } else {
      printf("ERROR velm2-level: -o needs a directory\n");
      return EXIT_USAGE;
    }
  }
  if (!ArgumentsFit(files, files.size() == 1)) {
    return EXIT_USAGE;
  }
  const std::string& input = files[0];
  std::string text;
  std::string error;
  if (!ReadSmallFile(input, CLASSIC_FILE_LIMIT, &text)) {
    return 1;
  }
  const std::vector<ClassicLevel> levels = ParseClassicLevels(text);
  if (levels.empty()) {
    PrintError(input, "no level pictures found");
    return 1;
  }
  // NAME is the input's file name without its folder and last extension.
  std::string name = input.substr(input.find_last_of('/') + 1);
  name = name.substr(0, name.find_last_of('.') == 0 ? name.size() : name.find_last_of('.'));
  int status = 0;
  for (const ClassicLevel& level : levels) {
    std::string levelText;
    if (!ClassicToLevelText(level, &levelText, &error)) {
      PrintError(input, error);
      status = 1;
      continue;
    }
    char number[16];
    snprintf(number, sizeof number, "-%03d.txt", level.number);
    const std::string output = directory + "/" + name + number;
    if (!WriteRegularFile(output, levelText, &error)) {
      PrintError(output, error);
      return 1;
    }
    const std::string title = level.title.empty() ? "" : " '" + level.title + "'";
    printf("%s: level %d%s\n", output.c_str(), level.number, title.c_str());
  }
  return status;
}

int Help(const Arguments&) {
  fputs(USAGE, stdout);
  return 0;
}

// A positive number from a whole option value; false for anything else.
bool ParseNumber(const std::string& text, double* number) {
  char* end = nullptr;
  *number = strtod(text.c_str(), &end);
  return !text.empty() && *end == 0 && *number > 0 && *number < 1e9;
}

int Solve(const Arguments& args) {
  std::string path;
  SolverOptions options;
  for (size_t index = 0; index < args.size(); index++) {
    const std::string& arg = args[index];
    double number = 0;
    if ((arg == "--limit" || arg == "--memory") && index + 1 < args.size()) {
      if (!ParseNumber(args[++index], &number)) {
        printf("ERROR velm2-level: solve: %s needs a positive number, not '%s'\n", arg.c_str(),
               args[index].c_str());
        return EXIT_USAGE;
      }
      if (arg == "--limit") {
        options.seconds = number;
      } else {
        options.memoryBytes = static_cast<size_t>(number * 1048576);
      }
    } else if (arg == "--moves") {
      options.moveOptimal = true;
    } else if (arg[0] == '-' || !path.empty()) {
      printf("ERROR velm2-level: solve: unknown option or argument '%s'\n", arg.c_str());
      return EXIT_USAGE;
    } else {
      path = arg;
    }
  }
  if (path.empty()) {
    fputs(USAGE, stdout);
    return EXIT_USAGE;
  }
  auto level = std::make_unique<CLevel>();
  std::string error;
  if (!ReadLevelFile(path, level.get(), &error)) {
    PrintError(path, error);
    return 1;
  }
  // On a terminal a progress line is redrawn in place; the solver calls this
  // at most a few times a second.
  const bool terminal = isatty(fileno(stderr)) != 0;
  if (terminal) {
    options.progress = [](const SolverProgress& progress) {
      fprintf(stderr, "\r%llu states, bound %d, %.0f states/s   ",
              static_cast<unsigned long long>(progress.states), progress.bound,
              progress.states / std::max(progress.seconds, 1e-3));
      fflush(stderr);
    };
  }
  const SolveResult result = SolveLevel(*level, options);
  if (terminal) {
    fprintf(stderr, "\r%60s\r", "");
  }
  char figures[100];
  snprintf(figures, sizeof figures, "%llu states, %.1f MB, %.3f s",
           static_cast<unsigned long long>(result.states), result.peakBytes / 1048576.0,
           result.seconds);
  switch (result.outcome) {
    case SOLVE_SOLVED: {
      const char* pushes = result.pushOptimal ? " (proven fewest)" : "";
      const char* moves = result.moveOptimal            ? " (proven fewest)"
                          : result.fewestMovesForPushes ? " (fewest for these pushes)"
                                                        : " (not proven fewest)";
      printf("%s\n", result.moves.c_str());
      printf("moves %d%s, pushes %d%s\n", result.moveCount, moves, result.pushCount, pushes);
      printf("%s\n", figures);
      return 0;
    }
    case SOLVE_NO_SOLUTION:
      printf("no solution\n%s\n", figures);
      return 1;
    case SOLVE_GAVE_UP:
      printf("gave up: %s; every solution has at least %d %s; %s\n", result.message.c_str(),
             result.bound, options.moveOptimal ? "moves" : "pushes", figures);
      return 1;
    case SOLVE_UNSUPPORTED:
      PrintError(path, "the solver can't take this level: " + result.message);
      return 1;
  }
  return 1;
}

int Replay(const Arguments& args) {
  if (args.size() != 2) {
    fputs(USAGE, stdout);
    return EXIT_USAGE;
  }
  std::string moves = args[1];
  std::string error;
  if (!moves.empty() && moves[0] == '@') {
    if (!ReadSmallFile(moves.substr(1), SOLUTION_LIMIT, &moves)) {
      return 1;
    }
  }
  auto level = std::make_unique<CLevel>();
  if (!ReadLevelFile(args[0], level.get(), &error)) {
    PrintError(args[0], error);
    return 1;
  }
  if (!ReplayMoves(level.get(), moves, &error)) {
    PrintError(args[0], error);
    return 1;
  }
  const bool solved = IsSolved(*level);
  printf("moves %d, pushes %d, %s\n", level->moveCount, level->pushCount,
         solved ? "solved" : "not solved");
  return solved ? 0 : 1;
}

struct Command {
  const char* name;
  int (*run)(const Arguments& args);
};

const Command COMMANDS[] = {
    {"build", Build}, {"show", Show},     {"check", Check}, {"import", Import},
    {"solve", Solve}, {"replay", Replay}, {"--help", Help},
};

}  // namespace

int main(int argc, char* argv[]) {
  if (argc >= 2) {
    for (const Command& command : COMMANDS) {
      if (argv[1] == std::string(command.name)) {
        return command.run(Arguments(argv + 2, argv + argc));
      }
    }
    printf("ERROR velm2-level: unknown command '%s'\n", argv[1]);
  }
  fputs(USAGE, stdout);
  return EXIT_USAGE;
}
