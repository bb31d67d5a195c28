// look.h: what a player would see as unfinished in a level's first frame.
//
// The board check judges a level by the game's rules; this one judges it by
// the game's drawing. The level is drawn with the game's own pictures and
// board drawing on SDL's dummy video driver, and the pixels are read back:
// background showing inside the room, places hidden under walls and boxes,
// walls cut by the screen's edge, a room pushed aside, room under the HUD's
// text. Boxes and places the hero can never reach are found by walking the
// hero as the move rules do, walls only.
#pragma once

#include <string>
#include <vector>

#include "board/levelcheck.h"
#include "picture/headless.h"

class LookCheck {
 public:
  // Starts the game headless with the pictures from `folder`/data; the game's
  // start-up lines are not printed and the working directory stays as it is.
  explicit LookCheck(const std::string& folder = ".");

  // Empty when the check can run; otherwise what keeps it from running.
  std::string Unavailable() const;

  // The look faults of a level file's bytes; none when the bytes hold no
  // level (the board check tells why).
  std::vector<LevelProblem> Check(const std::string& bytes);

 private:
  std::unique_ptr<HeadlessGame> headless_;
};

// The walls of a level file's bytes as a text that is the same for two levels
// exactly when their walls stand alike, wherever the room lies on the board.
// Empty for bytes that hold no level or no wall.
std::string WallShape(const std::string& bytes);
