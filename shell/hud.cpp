// hud.cpp: the text over every frame: frame rate, key help, counters.
#include "shell/game.h"

Uint32 lastFpsTick = 0;
char fpsText[20] = "";
char counterText[52] = "";

void CGame::DrawHud() {}
