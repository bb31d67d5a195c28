// levelpak.cpp: the level pack's list file and choosing a level by number.
#include <cstdio>
#include <iostream>
#include <string>

#include "board/level.h"
#include "board/levelfile.h"
#include "board/levelread.h"
#include "shell/game.h"

namespace {

// Room for far more levels than any pack holds (100,000 names of 100 bytes);
// a longer "list" is no list, and is refused before it fills memory.
const size_t MAX_LIST_BYTES = 10 << 20;

}  // namespace

int CGame::LoadLevelPak(const char* pack) {
  std::string bytes;
  std::string error;
  if (!ReadRegularFile(std::string(pack) + "/list", MAX_LIST_BYTES + 1, &bytes, &error)) {
    std::cout << "ERROR Load Level Pak '" << pack << "': can't open file" << std::endl;
    return -1;
  }
  if (bytes.size() > MAX_LIST_BYTES) {
    std::cout << "ERROR Load Level Pak '" << pack << "': list longer than " << MAX_LIST_BYTES
              << " bytes" << std::endl;
    return -1;
  }

  // Carriage returns vanish wherever they stand; a byte 26 ends the list.
  std::string text;
  for (char byte : bytes) {
    if (byte == 26) {
      break;
    }
    if (byte != '\r') {
      text += byte;
    }
  }
  for (const std::string& name : SplitLines(text)) {
    levelList.push_back(std::string(pack) + "/" + name);
  }

  std::cout << "Load Level Pak '" << pack << "'... OK" << std::endl;
  return 0;
}

int CGame::LoadLevel(uint32_t number) {
  levelNumber = number;
  if (number < 1 || number > levelList.size()) {
    printf("ERROR Load Level %u: no such level in the pack\n", number);
    return 0;
  }
  // No file name holds a NUL byte; cut there, the name would load another file.
  const std::string& path = levelList[number - 1];
  if (path.find('\0') != std::string::npos) {
    printf("ERROR Load Level %u: the list names it with a NUL byte\n", number);
    return 0;
  }
  level->Load(path.c_str());
  return 0;
}

int CGame::LoadLevelFile(const char* path) {
  levelNumber = 0;
  level->Load(path);
  return 0;
}

void PrevLevel() {
  if (theGame->levelNumber > 1) {
    theGame->levelNumber--;
  }
  theGame->LoadLevel(theGame->levelNumber);
}

void NextLevel() {
  if (theGame->levelNumber < theGame->levelList.size()) {
    theGame->levelNumber++;
  }
  theGame->LoadLevel(theGame->levelNumber);
}
