// hud.cpp: the text over every frame: frame rate, key help, counters.
#include <cstdio>

#include "board/level.h"
#include "gfx/font.h"
#include "shell/game.h"

Uint32 lastFpsTick = 0;
char fpsText[20] = "";
char counterText[52] = "";

void CGame::DrawHud() {
  // The rate of this one frame, not an average; refreshed only a few times a
  // second so that it stays readable.
  const float rate = frameTime == 0 ? 0.0f : 1.0f / frameTime;
  // Unsigned difference, so the refresh survives the tick count wrapping.
  if (SDL_GetTicks() - lastFpsTick >= 250) {
    snprintf(fpsText, sizeof fpsText, "FPS %.2f", rate);
    lastFpsTick = SDL_GetTicks();
  }

  if (!font) {
    return;
  }
  font->DrawString(screen, 0, 0, fpsText);

  font->DrawString(screen, 1, 424, "Plus: Next Level");
  font->DrawString(screen, 1, 438, "Minus: Previous Level");
  font->DrawString(screen, 1, 452, "Backspace: Undo Move");
  font->DrawString(screen, 1, 466, "Alt+Enter: Full screen");
  // Starts at x = 400, so only 35 characters fit on the screen.
  font->DrawString(screen, 400, 466, "Velm 2 - push every box home");

  if ((screenState != GAME_PLAY && screenState != GAME_WIN) || !level) {
    return;
  }
  snprintf(counterText, sizeof counterText, "LEVEL %i", static_cast<int>(levelNumber));
  font->DrawString(screen, 560, 0, counterText);
  snprintf(counterText, sizeof counterText, "MOVE %i", level->moveCount);
  font->DrawString(screen, 560, 14, counterText);
  snprintf(counterText, sizeof counterText, "PUSH %i", level->pushCount);
  font->DrawString(screen, 560, 28, counterText);
  // The game keeps no play time.
  snprintf(counterText, sizeof counterText, "TIME %i", 0);
  font->DrawString(screen, 560, 42, counterText);
}
