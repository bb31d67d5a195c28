// levelpak.cpp: the level pack's list file and choosing a level by number.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "board/level.h"
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
  // Each line is a name, an empty line included. The end of the text after a
  // final line feed is not a line: n names make n levels.
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    levelList.push_back(std::string(pack) + "/" + text.substr(start, end - start));
    start = end + 1;
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
