// level_play_fuzz.cpp: a level file's bytes loaded by CLevel::Load, then played:
// steps, undos and whole game frames with odd frame times, drawn on the dummy
// screen. On a well-formed board a step taken back restores the board.
//
// Whole frames cost a millisecond each under the sanitizers, so an input
// draws at most MAX_DRAWN_FRAMES of them; its further frames only glide.
//
// The input is a level file followed by actions.
#include "solver/model.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

const int MAX_DRAWN_FRAMES = 4;
const int DIRECTIONS[] = {DIR_UP, DIR_DOWN, DIR_LEFT, DIR_RIGHT};
// Frame times the main loop can produce: none, below one pixel of glide, the
// usual ones, a slow start, and the jumps when the millisecond tick wraps.
const float FRAME_TIMES[] = {0,    1e-7f, 0.001f, 0.0066f, 0.0067f,  0.016f,    0.02f,
                             0.1f, 1,     1000,   -0.001f, -4294967, 4294967.0f};

// The boards the move rules are made for: the ones the solver can model.
bool WellFormed(const CLevel& level) {
  static PushModel model;
  std::string error;
  return model.Init(level, &error);
}

std::string ObjectKinds(const CLevel& level) {
  std::string kinds;
  for (const auto& row : level.objectLayer) {
    for (const Tile& tile : row) {
      kinds += static_cast<char>(tile.kind);
    }
  }
  return kinds + static_cast<char>(level.heroX) + static_cast<char>(level.heroY) +
         std::to_string(level.moveCount) + "/" + std::to_string(level.pushCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CGame& game = FuzzGame();
  CLevel& level = *game.level;
  // Each input starts from a new board, as the game does at start-up.
  level = CLevel();
  game.screenState = GAME_PLAY;
  const size_t levelSize = LevelFileSize(data, size);
  level.Load(BytesAsFile(data, levelSize));
  int drawnFrames = 0;

  for (size_t i = levelSize; i < size; i++) {
    const uint8_t action = data[i];
    const float frameTime = FRAME_TIMES[(action >> 3) % (sizeof FRAME_TIMES / sizeof(float))];
    const int kind = action % 8;
    if (kind < 4) {
      const bool checked = action & 0x80 && WellFormed(level);
      const std::string before = checked ? ObjectKinds(level) : "";
      if (level.Move(DIRECTIONS[kind]) && checked) {
        level.Undo();
        if (ObjectKinds(level) != before) {
          __builtin_trap();  // a step taken back left the board changed
        }
      }
    } else if (kind == 4) {
      level.Undo();
    } else if (kind == 6) {
      level.Move(action);  // no direction: refused
    } else if (kind == 7 && drawnFrames++ < MAX_DRAWN_FRAMES) {
      // Play frames, or level-complete frames once the board is solved.
      game.RunFrame(frameTime);
    } else {
      level.AnimateTiles(frameTime);  // and only glides once enough frames were drawn
    }
  }
  return 0;
}
