// level.cpp: velm2-level, the level designer's tool: one function per command.
//
// Every command that reads a level takes a level file or a text level alike;
// the text format is described in board/levelfile.h and level/README.md.
// Results go to standard output, each fault as one ERROR line naming the file,
// and the exit status is 0 only when the command did all it was asked.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "board/import.h"
#include "board/levelcheck.h"
#include "board/levelfile.h"
#include "board/levelread.h"

namespace {

const char USAGE[] =
    "usage: velm2-level COMMAND ARGUMENTS\n"
    "\n"
    "  build LEVEL LEVELFILE   writes the level file of a text level\n"
    "  show LEVEL              prints a level as a text level\n"
    "  check LEVEL...          lists every fault a player would meet, one line each\n"
    "  import FILE [-o DIR]    writes each level of a classic plain-text file as a\n"
    "                          text level DIR/NAME-NNN.txt (DIR: the current one)\n"
    "  --help                  prints this text\n"
    "\n"
    "A LEVEL is a level file or a text level (see level/README.md).\n";

// Exit status for a command line that asks for nothing the tool does.
const int EXIT_USAGE = 2;

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
  if (!ReadLevel(args[0], &bytes)) {
    return 1;
  }
  std::ofstream level(args[1], std::ios::binary);
  if (!level.write(bytes.data(), bytes.size()) || !level.flush()) {
    PrintError(args[1], "can't write");
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

int Check(const Arguments& args) {
  if (!ArgumentsFit(args, !args.empty())) {
    return EXIT_USAGE;
  }
  int status = 0;
  for (const std::string& path : args) {
    std::string contents;
    std::string error;
    if (!ReadRegularFile(path, LEVEL_CONTENTS_LIMIT, &contents, &error) ||
        !CheckLevelSize(contents, &error)) {
      PrintError(path, error);
      status = 1;
      continue;
    }
    const std::vector<std::string> problems = CheckLevelContents(contents);
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
  if (!ReadRegularFile(input, CLASSIC_FILE_LIMIT, &text, &error)) {
    PrintError(input, error);
    return 1;
  }
  if (text.size() >= CLASSIC_FILE_LIMIT) {
    PrintError(input, "too large: " + std::to_string(CLASSIC_FILE_LIMIT) + " bytes or more");
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
    std::ofstream file(output, std::ios::binary);
    if (!file.write(levelText.data(), levelText.size()) || !file.flush()) {
      PrintError(output, "can't write");
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

struct Command {
  const char* name;
  int (*run)(const Arguments& args);
};

const Command COMMANDS[] = {
    {"build", Build}, {"show", Show}, {"check", Check}, {"import", Import}, {"--help", Help},
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
