// levelpak.cpp: the level pack's list file and choosing a level by number.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "board/level.h"
#include "board/levelfile.h"
#include "shell/game.h"

int CGame::LoadLevelPak(const char* pack) {
  std::ifstream list(std::string(pack) + "/list", std::ios::binary);
  if (!list) {
    std::cout << "ERROR Load Level Pak '" << pack << "': can't open file" << std::endl;
    return -1;
  }

  // Carriage returns vanish wherever they stand; a byte 26 ends the list.
  std::string text;
  for (char byte; list.get(byte) && byte != 26;) {
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
  level->Load(levelList[number - 1].c_str());
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
