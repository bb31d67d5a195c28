// game.cpp: the game object's start-up and shutdown: display, pictures, board.
#include "shell/game.h"

#include <cstdio>

#include "board/level.h"
#include "gfx/font.h"
#include "gfx/image.h"

CGame* theGame = nullptr;

int CGame::Init() {
  InitDisplay();
  LoadImages();
  level = new CLevel;
  LoadLevelPak("level/standart");
  levelNumber = 1;
  keys = SDL_GetKeyState(nullptr);
  screenState = GAME_INIT;
  return 0;
}

int CGame::InitDisplay() {
  // The library keeps its own display surface; handing it back is harmless.
  FreeImage(screen);
  if (fullscreen) {
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, SDL_FULLSCREEN);
    if (!screen) {
      printf("ERROR InitDisplay: unable to set fullscreen video mode. %s\n", SDL_GetError());
    }
  } else {
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_DEPTH, SDL_SWSURFACE);
    fullscreen = 0;
    if (!screen) {
      printf("ERROR InitDisplay: unable to set windowed video mode. %s\n", SDL_GetError());
    }
  }
  // The game draws its own pointer.
  SDL_ShowCursor(SDL_DISABLE);
  return 0;
}

void CGame::LoadImages() {
  backImage = LoadTexture("data/back1.bmp", SCREEN_WIDTH, SCREEN_HEIGHT);
  winImage = LoadImage("data/win.bmp");
  heroImage = LoadImage("data/hero.bmp");
  wallImage = LoadImage("data/wall.bmp");
  boxImage = LoadImage("data/box.bmp");
  placeImage = LoadImage("data/place.bmp");
  floorImage = LoadImage("data/floor.bmp");
  cursorImage = LoadImage("data/cursor.bmp");
  fontSheet = LoadImage("data/font7x14.bmp");
  // Glyphs are cut from anywhere in the sheet, and a run-length coded sheet
  // is walked from its top row for every one of them: the HUD's 140 glyphs
  // took longer than the whole board. Plain colour keying draws the same.
  // The browser's library keys with alpha, never run-length coded.
#ifndef __EMSCRIPTEN__
  if (fontSheet) {
    SDL_SetColorKey(fontSheet, SDL_SRCCOLORKEY, fontSheet->format->colorkey);
  }
#endif
  font = new SDL_Font;
  font->SetSheet(fontSheet, 7, 14);
  printf("Loadind image data... OK\n");
}

void CGame::FreeImages() {
  SDL_Surface** pictures[] = {&backImage,  &winImage,   &heroImage,   &wallImage, &boxImage,
                              &placeImage, &floorImage, &cursorImage, &fontSheet};
  for (SDL_Surface** picture : pictures) {
    FreeImage(*picture);
    *picture = nullptr;
  }
  // The font must not draw from the sheet just released.
  if (font) {
    font->Clear();
  }
}
