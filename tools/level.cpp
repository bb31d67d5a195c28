// level.cpp: velm2-level, the level designer's tool: one function per command.
//
// Every command that reads a level takes a level file or a text level alike;
// the text format is described in board/levelfile.h and level/README.md.
// Results go to standard output, each fault as one ERROR line naming the file,
// and the exit status is 0 only when the command did all it was asked.
#include <unistd.h>

#include <algorithm>
#include <cmath>
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
    "  solve LEVEL... [--list FILE] [--limit SECONDS] [--memory MB]\n"
    "        [--moves | --pushes | --moves-budget STATES]\n"
    "                          prints a solution with the fewest pushes (with\n"
    "                          --moves the fewest moves) on its first line, then\n"
    "                          its counts and box changes; gives up on a level at\n"
    "                          the time or memory limit. Among the fewest pushes\n"
    "                          the fewest moves are searched for up to STATES\n"
    "                          states (default: a multiple of the push search's),\n"
    "                          with --pushes not at all, which is quickest.\n"
    "                          With several levels, or a list FILE of levels one\n"
    "                          a line, each result follows a line 'level PATH',\n"
    "                          and a summary line ends\n"
    "  replay LEVEL MOVES      plays MOVES (letters, or @FILE holding them) and\n"
    "                          says whether they solve the level\n"
    "  --help                  prints this text\n"
    "\n"
    "A LEVEL is a level file or a text level (see level/README.md).\n";

// Exit status for a command line that asks for nothing the tool does.
const int EXIT_USAGE = 2;

// A solution file for replay holds one line of letters; none comes near this.
const size_t SOLUTION_LIMIT = 1 << 20;

// A list of levels for solve holds a line for each; none comes near this.
const size_t LIST_FILE_LIMIT = 1 << 20;

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

// What `solve` was asked: the levels in order and the solver's options.
struct SolveRequest {
  std::vector<std::string> paths;
  bool batch = false;  // more than one level, or a list: a header and a summary
  SolverOptions options;
};

// Adds the levels of a list file, one path a line, relative to the list's
// folder; blank lines and lines starting with '#' are skipped.
bool AddListedLevels(const std::string& list, std::vector<std::string>* paths) {
  std::string text;
  if (!ReadSmallFile(list, LIST_FILE_LIMIT, &text)) {
    return false;
  }
  const size_t slash = list.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "" : list.substr(0, slash + 1);
  for (std::string line : SplitLines(text)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (!line.empty() && line[0] != '#') {
      paths->push_back(line[0] == '/' ? line : folder + line);
    }
  }
  return true;
}

// Reads the command line of `solve`; returns -1 when it fits, else the exit
// status, with the reason printed.
int ParseSolve(const Arguments& args, SolveRequest* request) {
  int lists = 0;
  int searches = 0;  // --moves or --pushes
  for (size_t index = 0; index < args.size(); index++) {
    const std::string& arg = args[index];
    double number = 0;
    if ((arg == "--limit" || arg == "--memory" || arg == "--moves-budget") &&
        index + 1 < args.size()) {
      // A budget counts states, whole ones.
      const bool whole = arg == "--moves-budget";
      if (!ParseNumber(args[++index], &number) || (whole && number != std::floor(number))) {
        printf("ERROR velm2-level: solve: %s needs a positive %snumber, not '%s'\n", arg.c_str(),
               whole ? "whole " : "", args[index].c_str());
        return EXIT_USAGE;
      }
      if (arg == "--limit") {
        request->options.seconds = number;
      } else if (arg == "--moves-budget") {
        request->options.fewerMovesStates = static_cast<uint64_t>(number);
      } else {
        request->options.memoryBytes = static_cast<size_t>(number * 1048576);
      }
    } else if (arg == "--moves" || arg == "--pushes") {
      if (searches++ > 0) {
        printf("ERROR velm2-level: solve: --moves and --pushes ask for different searches\n");
        return EXIT_USAGE;
      }
      request->options.moveOptimal = arg == "--moves";
      request->options.fewestMoves = arg != "--pushes";
    } else if (arg == "--list" && index + 1 < args.size()) {
      lists++;
      if (!AddListedLevels(args[++index], &request->paths)) {
        return 1;
      }
    } else if (arg[0] == '-') {
      printf("ERROR velm2-level: solve: unknown option or argument '%s'\n", arg.c_str());
      return EXIT_USAGE;
    } else {
      request->paths.push_back(arg);
    }
  }
  if (request->paths.empty() && lists == 0) {
    fputs(USAGE, stdout);
    return EXIT_USAGE;
  }
  request->batch = lists > 0 || request->paths.size() > 1;
  return -1;
}

// Prints the result block of one solve.
void PrintSolveResult(const std::string& path, int boxes, const SolveResult& result,
                      bool moveOptimal) {
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
      printf("boxes %d, box changes %d\n", boxes, result.boxChanges);
      printf("%s\n", figures);
      break;
    }
    case SOLVE_NO_SOLUTION:
      printf("no solution\n%s\n", figures);
      break;
    case SOLVE_GAVE_UP:
      printf("gave up: %s; every solution has at least %d %s; %s\n", result.message.c_str(),
             result.bound, moveOptimal ? "moves" : "pushes", figures);
      break;
    case SOLVE_UNSUPPORTED:
      PrintError(path, "the solver can't take this level: " + result.message);
      break;
  }
}

int Solve(const Arguments& args) {
  SolveRequest request;
  const int status = ParseSolve(args, &request);
  if (status >= 0) {
    return status;
  }
  // On a terminal a progress line is redrawn in place; the solver calls this
  // at most a few times a second.
  const bool terminal = isatty(fileno(stderr)) != 0;
  if (terminal) {
    request.options.progress = [](const SolverProgress& progress) {
      fprintf(stderr, "\r%llu states, bound %d, %.0f states/s   ",
              static_cast<unsigned long long>(progress.states), progress.bound,
              progress.states / std::max(progress.seconds, 1e-3));
      fflush(stderr);
    };
  }
  int solved = 0;
  int noSolution = 0;
  int failed = 0;
  uint64_t states = 0;
  double seconds = 0;
  auto level = std::make_unique<CLevel>();
  for (const std::string& path : request.paths) {
    if (request.batch) {
      printf("level %s\n", path.c_str());
    }
    std::string error;
    if (!ReadLevelFile(path, level.get(), &error)) {
      PrintError(path, error);
      failed++;
      continue;
    }
    const SolveResult result = SolveLevel(*level, request.options);
    if (terminal) {
      fprintf(stderr, "\r%60s\r", "");
    }
    PrintSolveResult(path, level->boxCount, result, request.options.moveOptimal);
    solved += result.outcome == SOLVE_SOLVED;
    noSolution += result.outcome == SOLVE_NO_SOLUTION;
    failed += result.outcome == SOLVE_GAVE_UP || result.outcome == SOLVE_UNSUPPORTED;
    states += result.states;
    seconds += result.seconds;
  }
  if (request.batch) {
    printf("%zu levels: %d solved, %d without solution, %d not solved; %llu states, %.3f s\n",
           request.paths.size(), solved, noSolution, failed,
           static_cast<unsigned long long>(states), seconds);
  }
  return solved == static_cast<int>(request.paths.size()) ? 0 : 1;
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
