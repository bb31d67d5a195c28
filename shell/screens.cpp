// screens.cpp: frame times, events and keys, and the play and level-complete screens.
#include <cstring>

#include "board/level.h"
#include "shell/game.h"

namespace {

// Blits a whole picture with its top-left corner at (x, y). A null picture
// or screen draws nothing.
void Blit(SDL_Surface* picture, SDL_Surface* screen, int x, int y) {
  if (!picture || !screen) {
    return;
  }
  SDL_Rect place = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
  SDL_UpperBlit(picture, nullptr, screen, &place);
}

}  // namespace

float FrameTime(Uint32 ticks, float* previousSeconds) {
  // Seconds as a float, like the frame time, so both lose precision alike.
  const float seconds = static_cast<float>(ticks * 0.001);
  const float frameTime = seconds - *previousSeconds;
  *previousSeconds = seconds;
  return frameTime;
}

Uint8 PcScanCode(Uint8 scancode, const char* videoDriver) {
  if (videoDriver && strcmp(videoDriver, "x11") == 0 && scancode >= 8) {
    return scancode - 8;
  }
  // The browser's library reports its own numbers, which differ between
  // browsers (Chromium first, then others) and give letters the PC's codes
  // of Minus, Equals and Backspace: only these three keys count there.
  if (videoDriver && strcmp(videoDriver, "emscripten_sdl_driver") == 0) {
    switch (scancode) {
      case 189:
      case 45:
        return SCAN_MINUS;
      case 187:
      case 46:
        return SCAN_EQUALS;
      case 42:
        return SCAN_BACKSPACE;
      default:
        return 0;
    }
  }
  return scancode;
}

int CGame::HandleEvent(SDL_Event* event, SDLMod modifiers) {
  switch (event->type) {
    case SDL_QUIT:
      screenState = GAME_QUIT;
      break;
    case SDL_MOUSEMOTION:
      mouseX = event->motion.x;
      mouseY = event->motion.y;
      break;
    case SDL_KEYDOWN:
      // Both tests read the keys held now, not the key this event reports.
      keys = SDL_GetKeyState(nullptr);
      if (keys[SDLK_ESCAPE]) {
        screenState = GAME_QUIT;
      }
      if (keys[SDLK_RETURN] && (modifiers & KMOD_ALT)) {
        fullscreen = fullscreen ? 0 : 1;
        InitDisplay();
      }
      break;
    case SDL_KEYUP: {
      // The level-complete screen ignores releases: kept, a Plus or Backspace
      // would act on the next level as soon as Space brings it up.
      if (screenState == GAME_WIN) {
        break;
      }
      char driver[32] = "";
      SDL_VideoDriverName(driver, sizeof driver);
      releasedKey = PcScanCode(event->key.keysym.scancode, driver);
      break;
    }
    default:
      break;
  }
  return 0;
}

void CGame::RunFrame(float seconds) {
  frameTime = seconds;
  switch (screenState) {
    case GAME_INIT:
      DrawBackground();
      break;
    case GAME_PLAY:
      PlayFrame();
      break;
    case GAME_WIN:
      WinFrame();
      break;
    default:
      break;
  }
  DrawHud();
  DrawCursor(mouseX, mouseY);
}

void CGame::PlayFrame() {
  const int arrows[][2] = {
      {SDLK_UP, DIR_UP}, {SDLK_DOWN, DIR_DOWN}, {SDLK_LEFT, DIR_LEFT}, {SDLK_RIGHT, DIR_RIGHT}};
  for (const auto& arrow : arrows) {
    if (keys && keys[arrow[0]]) {
      level->Move(arrow[1]);
    }
  }

  switch (releasedKey) {
    case SCAN_MINUS:
      PrevLevel();
      releasedKey = 0;
      break;
    case SCAN_EQUALS:
      NextLevel();
      releasedKey = 0;
      break;
    case SCAN_BACKSPACE:
      level->Undo();
      releasedKey = 0;
      break;
    default:
      break;
  }

  DrawBackground();
  level->CheckComplete();
  level->AnimateTiles(frameTime);
  level->DrawBoard(screen);
}

void CGame::WinFrame() {
  DrawBackground();
  level->AnimateTiles(frameTime);
  level->DrawBoard(screen);
  if (screenState != GAME_WIN) {
    screenState = GAME_WIN;
  }
  Blit(winImage, screen, 58, 150);
  if (keys && (keys[SDLK_SPACE] || keys[SDLK_RETURN])) {
    NextLevel();
    screenState = GAME_PLAY;
  }
}

void CGame::DrawBackground() {
  Blit(backImage, screen, 0, 0);
}

void CGame::DrawCursor(Uint16 x, Uint16 y) {
  Blit(cursorImage, screen, x, y);
}

void CGame::Present() {
  if (screen) {
    SDL_UpdateRect(screen, 0, 0, 0, 0);
  }
}
