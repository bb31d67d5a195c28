// level.cpp: reading a level file into the board.
#include "board/level.h"

void CLevel::Load(const char*) {}
bool CLevel::Move(int) { return false; }
void CLevel::StepHero(int) {}
void CLevel::PushBox(int, int, int) {}
void CLevel::RecordStep(int, int, int) {}
void CLevel::Undo() {}
