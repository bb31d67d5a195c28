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

#include "board/levelfile.h"
#include "board/levelread.h"

namespace {

const char USAGE[] =
    "usage: velm2-level COMMAND ARGUMENTS\n"
    "\n"
    "  build LEVEL LEVELFILE   writes the level file of a text level\n"
    "  show LEVEL              prints a level as a text level\n"
    "  --help                  prints this text\n"
    "\n"
    "A LEVEL is a level file or a text level (see level/README.md).\n";

// Exit status for a command line that asks for nothing the tool does.
const int EXIT_USAGE = 2;

using Arguments = std::vector<std::string>;

void PrintError(const std::string& path, const std::string& error) {
  printf("ERROR velm2-level: '%s': %s\n", path.c_str(), error.c_str());
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
  if (args.size() != 2) {
    fputs(USAGE, stdout);
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
  if (args.size() != 1) {
    fputs(USAGE, stdout);
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

int Help(const Arguments&) {
  fputs(USAGE, stdout);
  return 0;
}

struct Command {
  const char* name;
  int (*run)(const Arguments& args);
};

const Command COMMANDS[] = {
    {"build", Build},
    {"show", Show},
    {"--help", Help},
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
