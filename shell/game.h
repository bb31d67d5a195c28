// game.h: the game object: start-up, events, screens, level pack and HUD.
//
// There is one CGame, reached everywhere through `theGame`. It owns the nine
// pictures, the font and the board. The main loop feeds it events and frame
// times; it draws each frame into `screen`.
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

class CLevel;
class SDL_Font;

// Screen states; 2 and 3 are not used.
enum {
  GAME_INIT = 0,
  GAME_PLAY = 1,
  GAME_WIN = 4,
  GAME_QUIT = 5,
};

// PC keyboard set-1 scan codes of the keys that act when released.
enum {
  SCAN_MINUS = 12,
  SCAN_EQUALS = 13,
  SCAN_BACKSPACE = 14,
};

const int SCREEN_WIDTH = 640;
const int SCREEN_HEIGHT = 480;
const int SCREEN_DEPTH = 16;

class CGame {
 public:
  virtual ~CGame() = default;

  // Sets the video mode, loads pictures and font, creates the board, reads the
  // pack list and selects level 1. Always 0.
  int Init();
  // Sets (again) the video mode that `fullscreen` asks for. Always 0.
  int InitDisplay();
  // Loads the nine pictures and creates the font.
  void LoadImages();
  // Releases the nine pictures.
  void FreeImages();

  // Handles one library event, with the modifier state read once for the
  // frame. Always 0.
  int HandleEvent(SDL_Event* event, SDLMod modifiers);
  // Draws one frame for the current screen state, then HUD and pointer.
  void RunFrame(float frameTime);
  void PlayFrame();
  // The level-complete screen; also called by the board when it is solved.
  void WinFrame();
  void DrawBackground();
  void DrawCursor(Uint16 x, Uint16 y);
  // Shows the whole screen.
  void Present();
  // Frame rate, key help, credit line and, in play, the counters.
  void DrawHud();

  // Appends the pack's list entries to `levelList`. 0, or -1 when the list
  // file cannot be opened.
  int LoadLevelPak(const char* pack);
  // Loads entry `number` (1-based) of `levelList`. Always 0.
  int LoadLevel(uint32_t number);
  // Loads a level file by path; `levelNumber` becomes 0. Always 0.
  int LoadLevelFile(const char* path);

  int32_t screenState = GAME_INIT;
  float frameTime = 0;
  uint8_t fullscreen = 0;
  SDL_Surface* screen = nullptr;
  SDL_Surface* heroImage = nullptr;
  SDL_Surface* wallImage = nullptr;
  SDL_Surface* boxImage = nullptr;
  SDL_Surface* placeImage = nullptr;
  SDL_Surface* floorImage = nullptr;
  SDL_Surface* backImage = nullptr;
  SDL_Surface* winImage = nullptr;
  SDL_Surface* cursorImage = nullptr;
  SDL_Font* font = nullptr;
  SDL_Surface* fontSheet = nullptr;
  Uint8* keys = nullptr;
  uint8_t releasedKey = 0;
  uint16_t mouseX = 0;
  uint16_t mouseY = 0;
  std::vector<std::string> levelList;
  uint32_t levelNumber = 0;
  CLevel* level = nullptr;
};

extern CGame* theGame;

// Reads the command line ("-window", or the path of a level to play first),
// starts the library, sets `theGame` up and loads the first level. 0, or -1
// (after an error line) when the game cannot run.
int StartGame(int argc, char* argv[]);

// One turn of the main loop with `theGame`: the frame's events, a pause of
// `pause` milliseconds (none for 0, where the caller paces the frames), then
// the frame drawn and shown.
void LoopFrame(float* previousSeconds, Uint32 pause);

// Step `theGame` to the previous or next level of the pack; at either end the
// level starts over.
void PrevLevel();
void NextLevel();

// Seconds since the previous frame, from the tick count at this frame;
// `previousSeconds` (0 before the first frame) becomes this frame's. Both are
// floats, so late in a long run frame times come in steps of 1/512 s.
float FrameTime(Uint32 ticks, float* previousSeconds);

// The PC set-1 scan code of a key, from the scan code that the named video
// driver reports. X11 reports X key codes, which are set-1 codes plus 8; in
// the browser only Minus, Equals and Backspace get theirs, every other key 0.
Uint8 PcScanCode(Uint8 scancode, const char* videoDriver);

// The HUD's process-wide state: tick of the last frame-rate refresh, the
// frame-rate line, and the scratch line for each counter.
extern Uint32 lastFpsTick;
extern char fpsText[20];
extern char counterText[52];
