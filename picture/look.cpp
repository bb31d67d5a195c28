// look.cpp: a level's first frame drawn headless and read back pixel by pixel.
#include "picture/look.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>

#include "board/grid.h"
#include "board/levelread.h"
#include "picture/thumbnail.h"
#include "shell/game.h"

namespace {

// One flag per screen pixel, row by row.
using Mask = std::vector<char>;

const int PIXELS = SCREEN_WIDTH * SCREEN_HEIGHT;

// The move counter, the widest of the counters (a level's number has two
// digits, pushes are never more than moves), at the most a player meets, so
// that the HUD's text areas are measured at their widest.
const int HUD_MOVES = 9999;
// The game waits a millisecond per frame, so its frame rate stays under this.
const float HUD_FRAME_TIME = 0.001f;

std::string CellName(int column, int row) {
  return "(column " + std::to_string(column) + ", row " + std::to_string(row) + ")";
}

// Which pixels `paint` draws: pixels that come out the same over a black
// and over a white screen are drawn; those that differ show the screen.
Mask Painted(const std::function<void(SDL_Surface*)>& paint) {
  SDL_Surface* screen = theGame->screen;
  std::vector<Uint32> first(PIXELS);
  Mask drawn(PIXELS);
  for (int pass = 0; pass < 2; pass++) {
    SDL_FillRect(screen, nullptr,
                 pass == 0 ? SDL_MapRGB(screen->format, 0, 0, 0)
                           : SDL_MapRGB(screen->format, 255, 255, 255));
    paint(screen);
    SDL_LockSurface(screen);
    for (int y = 0; y < SCREEN_HEIGHT; y++) {
      for (int x = 0; x < SCREEN_WIDTH; x++) {
        const Uint32 pixel = ReadPixel(screen, x, y);
        if (pass == 0) {
          first[y * SCREEN_WIDTH + x] = pixel;
        } else {
          drawn[y * SCREEN_WIDTH + x] = first[y * SCREEN_WIDTH + x] == pixel;
        }
      }
    }
    SDL_UnlockSurface(screen);
  }
  return drawn;
}

// The pixels the board draws of the tiles that `keep` takes, told by layer
// (true: object layer), cell and kind.
Mask Drawn(const CLevel& level, const std::function<bool(bool, int, int, int)>& keep) {
  auto board = std::make_unique<CLevel>(level);
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      Tile& object = board->objectLayer[row][column];
      object.kind = keep(true, column, row, object.kind) ? object.kind : TILE_NONE;
      Tile& ground = board->groundLayer[row][column];
      ground.kind = keep(false, column, row, ground.kind) ? ground.kind : TILE_NONE;
    }
  }
  return Painted([&](SDL_Surface* screen) { board->DrawBoard(screen); });
}

struct Bounds {
  int left = SCREEN_WIDTH;
  int top = SCREEN_HEIGHT;
  int right = 0;  // one past the last pixel
  int bottom = 0;
  bool Empty() const { return right <= left; }
  void Add(int x, int y) {
    left = std::min(left, x);
    top = std::min(top, y);
    right = std::max(right, x + 1);
    bottom = std::max(bottom, y + 1);
  }
  bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The four corners of text that the HUD prints in play, each the bounding box
// of its drawn pixels: frame rate, counters, key help and credit line.
std::vector<Bounds> HudCorners() {
  CGame& game = *theGame;
  CLevel* board = game.level;
  const int moves = board->moveCount;
  board->moveCount = HUD_MOVES;
  game.screenState = GAME_PLAY;
  game.frameTime = HUD_FRAME_TIME;
  const Mask text = Painted([&](SDL_Surface*) {
    // A refresh of the frame-rate line is due at every drawing.
    lastFpsTick = SDL_GetTicks() - 1000;
    game.DrawHud();
  });
  board->moveCount = moves;
  std::vector<Bounds> corners(4);
  for (int y = 0; y < SCREEN_HEIGHT; y++) {
    for (int x = 0; x < SCREEN_WIDTH; x++) {
      if (text[y * SCREEN_WIDTH + x]) {
        corners[(x >= SCREEN_WIDTH / 2) + 2 * (y >= SCREEN_HEIGHT / 2)].Add(x, y);
      }
    }
  }
  return corners;
}

const char* const CORNER_NAMES[] = {"top-left", "top-right", "bottom-left", "bottom-right"};

class Looker {
 public:
  Looker(const CLevel& level, std::vector<LevelProblem>* problems)
      : level_(level), problems_(problems) {}

  void Add(LevelProblem::Where where, int column, int row, const std::string& what) {
    problems_->push_back({where, column, row, what});
  }

  void CheckInside();
  void CheckPlaces();
  void CheckScreen();
  void CheckHud();
  void CheckReach();

 private:
  int Kind(bool object, int column, int row) const {
    return (object ? level_.objectLayer : level_.groundLayer)[row][column].kind;
  }

  const CLevel& level_;
  std::vector<LevelProblem>* problems_;
  // Every pixel of the board as the first frame draws it.
  const Mask room_ = Drawn(level_, [](bool, int, int, int) { return true; });
};

// Background that shows inside the room: where walls close it in all round,
// so that nothing outside reaches it, and in cracks, where it meets the floor
// that shows. Each patch is told once, at its first pixel.
void Looker::CheckInside() {
  const Mask walls =
      Drawn(level_, [](bool object, int, int, int kind) { return object && kind == TILE_WALL; });
  const Mask ground = Drawn(level_, [](bool object, int, int, int) { return !object; });
  const Mask objects = Drawn(level_, [](bool object, int, int, int) { return object; });
  auto onScreen = [](int x, int y) {
    return x >= 0 && x < SCREEN_WIDTH && y >= 0 && y < SCREEN_HEIGHT;
  };
  Mask outside(PIXELS);
  std::deque<int> queue;
  auto reach = [&](int x, int y) {
    if (onScreen(x, y) && !walls[y * SCREEN_WIDTH + x] && !outside[y * SCREEN_WIDTH + x]) {
      outside[y * SCREEN_WIDTH + x] = 1;
      queue.push_back(y * SCREEN_WIDTH + x);
    }
  };
  for (int x = 0; x < SCREEN_WIDTH; x++) {
    reach(x, 0);
    reach(x, SCREEN_HEIGHT - 1);
  }
  for (int y = 0; y < SCREEN_HEIGHT; y++) {
    reach(0, y);
    reach(SCREEN_WIDTH - 1, y);
  }
  while (!queue.empty()) {
    const int x = queue.front() % SCREEN_WIDTH;
    const int y = queue.front() / SCREEN_WIDTH;
    queue.pop_front();
    reach(x - 1, y);
    reach(x + 1, y);
    reach(x, y - 1);
    reach(x, y + 1);
  }
  auto floorShows = [&](int x, int y) {
    return onScreen(x, y) && ground[y * SCREEN_WIDTH + x] && !objects[y * SCREEN_WIDTH + x];
  };
  Mask wrong(PIXELS);
  for (int at = 0; at < PIXELS; at++) {
    const int x = at % SCREEN_WIDTH;
    const int y = at / SCREEN_WIDTH;
    wrong[at] = !room_[at] && (!outside[at] || floorShows(x - 1, y) || floorShows(x + 1, y) ||
                               floorShows(x, y - 1) || floorShows(x, y + 1));
  }
  // Patches are counted by filling them, corners touching, from their first
  // pixel.
  for (int start = 0; start < PIXELS; start++) {
    if (!wrong[start]) {
      continue;
    }
    int pixels = 0;
    std::deque<int> patch = {start};
    wrong[start] = 0;
    while (!patch.empty()) {
      const int x = patch.front() % SCREEN_WIDTH;
      const int y = patch.front() / SCREEN_WIDTH;
      patch.pop_front();
      pixels++;
      for (int ny = y - 1; ny <= y + 1; ny++) {
        for (int nx = x - 1; nx <= x + 1; nx++) {
          if (onScreen(nx, ny) && wrong[ny * SCREEN_WIDTH + nx]) {
            wrong[ny * SCREEN_WIDTH + nx] = 0;
            patch.push_back(ny * SCREEN_WIDTH + nx);
          }
        }
      }
    }
    const int column = start % SCREEN_WIDTH / CELL_SIZE;
    const int row = start / SCREEN_WIDTH / CELL_SIZE;
    Add(LevelProblem::IN_GROUND, column, row,
        "the background shows through inside the room at " + CellName(column, row) + ": " +
            std::to_string(pixels) + " pixels with no floor");
  }
}

// A place must show at least three quarters of its picture at the start. A box
// that stands exactly on it shows its own placed picture instead, so it hides
// nothing the player needs.
void Looker::CheckPlaces() {
  auto coverBut = [&](int column, int row) {
    return Drawn(level_, [&](bool object, int x, int y, int kind) {
      return object && (kind == TILE_WALL || (kind == TILE_BOX && (x != column || y != row)));
    });
  };
  const Mask allCover = coverBut(-1, -1);
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      if (Kind(false, column, row) != TILE_PLACE) {
        continue;
      }
      const Mask place = Drawn(level_, [&](bool object, int x, int y, int) {
        return !object && x == column && y == row;
      });
      const Mask cover = Kind(true, column, row) == TILE_BOX ? coverBut(column, row) : allCover;
      int shown = 0;
      int hidden = 0;
      for (int at = 0; at < PIXELS; at++) {
        shown += place[at] && !cover[at];
        hidden += place[at] && cover[at];
      }
      if (4 * hidden > shown + hidden) {
        Add(LevelProblem::IN_GROUND, column, row,
            "the place at " + CellName(column, row) + " has " + std::to_string(hidden) +
                " of its " + std::to_string(shown + hidden) +
                " pixels hidden under walls and boxes at the start, more than a quarter");
      }
    }
  }
}

// Walls whose pictures the screen's left or top edge cuts, and a room whose
// drawn pixels are not centred on the screen within a cell.
void Looker::CheckScreen() {
  bool leftSeen = false;
  bool topSeen = false;
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      if (Kind(true, column, row) != TILE_WALL) {
        continue;
      }
      const bool left = ObjectFrameEdge(column) < 0 && !leftSeen;
      const bool top = ObjectFrameEdge(row) < 0 && !topSeen;
      if (left || top) {
        const std::string edges = left && top ? "left and top" : left ? "left" : "top";
        Add(LevelProblem::IN_OBJECTS, column, row,
            "the wall at " + CellName(column, row) + " loses its " + edges + " " +
                std::to_string(OBJECT_OVERHANG) + " pixels to the screen's edge");
      }
      leftSeen = leftSeen || left;
      topSeen = topSeen || top;
    }
  }
  Bounds bounds;
  for (int at = 0; at < PIXELS; at++) {
    if (room_[at]) {
      bounds.Add(at % SCREEN_WIDTH, at / SCREEN_WIDTH);
    }
  }
  if (bounds.Empty()) {
    return;
  }
  // Twice the offsets, so that half pixels stay whole.
  const int dx2 = bounds.left + bounds.right - SCREEN_WIDTH;
  const int dy2 = bounds.top + bounds.bottom - SCREEN_HEIGHT;
  if (std::abs(dx2) > 2 * CELL_SIZE || std::abs(dy2) > 2 * CELL_SIZE) {
    char what[160];
    snprintf(what, sizeof what,
             "the room is off centre: its middle lies %.1f pixels %s and %.1f pixels %s the "
             "screen's middle, more than a cell (%d pixels)",
             std::abs(dx2) / 2.0, dx2 < 0 ? "left of" : "right of", std::abs(dy2) / 2.0,
             dy2 < 0 ? "above" : "below", CELL_SIZE);
    Add(LevelProblem::IN_FILE, 0, 0, what);
  }
}

// The HUD prints over the board; room pixels under its text make both hard to
// read. Each corner is told once, at its first room pixel.
void Looker::CheckHud() {
  const std::vector<Bounds> corners = HudCorners();
  for (size_t corner = 0; corner < corners.size(); corner++) {
    const Bounds& text = corners[corner];
    for (int at = 0; at < PIXELS; at++) {
      const int x = at % SCREEN_WIDTH;
      const int y = at / SCREEN_WIDTH;
      if (room_[at] && text.Holds(x, y)) {
        const int column = std::min(x / CELL_SIZE, BOARD_COLUMNS - 1);
        const int row = y / CELL_SIZE;
        char what[200];
        snprintf(what, sizeof what,
                 "the room reaches under the HUD's %s text (x %d-%d, y %d-%d) at %s",
                 CORNER_NAMES[corner], text.left, text.right - 1, text.top, text.bottom - 1,
                 CellName(column, row).c_str());
        Add(LevelProblem::IN_OBJECTS, column, row, what);
        break;
      }
    }
  }
}

// The anchors the hero can stand on, walking as the move rules let it with
// every box taken away: a box pushed anywhere leaves the hero where it stood,
// so no box ever gets where the hero could not walk.
void Looker::CheckReach() {
  const int heroX = level_.heroX;
  const int heroY = level_.heroY;
  if (!IsAnchorOnBoard(heroX, heroY) || Kind(true, heroX, heroY) != TILE_HERO) {
    return;
  }
  auto bodyFree = [&](int column, int row) {
    for (int y = row - 1; y <= row + 1; y++) {
      for (int x = column - 1; x <= column + 1; x++) {
        const int kind = ObjectKindAt(level_, x, y);
        if (kind != TILE_NONE && kind != TILE_BOX && !(x == heroX && y == heroY)) {
          return false;
        }
      }
    }
    return true;
  };
  bool reached[BOARD_ROWS][BOARD_COLUMNS] = {};
  reached[heroY][heroX] = true;
  std::deque<std::pair<int, int>> queue = {{heroX, heroY}};
  while (!queue.empty()) {
    const auto [column, row] = queue.front();
    queue.pop_front();
    for (int direction : {DIR_UP, DIR_DOWN, DIR_LEFT, DIR_RIGHT}) {
      const CellStep step = StepOf(direction);
      const int x = column + step.dx;
      const int y = row + step.dy;
      if (IsAnchorOnBoard(x, y) && !reached[y][x] && bodyFree(x, y)) {
        reached[y][x] = true;
        queue.push_back({x, y});
      }
    }
  }
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      if (reached[row][column]) {
        continue;
      }
      if (Kind(true, column, row) == TILE_BOX) {
        Add(LevelProblem::IN_OBJECTS, column, row,
            "the hero can never reach the box at " + CellName(column, row));
      }
      if (Kind(false, column, row) == TILE_PLACE) {
        Add(LevelProblem::IN_GROUND, column, row,
            "the hero can never bring a box to the place at " + CellName(column, row));
      }
    }
  }
}

}  // namespace

LookCheck::LookCheck(const std::string& folder) {
  // The game reads its pictures from data/ under the working directory.
  const int here = open(".", O_RDONLY | O_DIRECTORY);
  const bool moved = chdir(folder.c_str()) == 0;
  // The game's start-up prints its progress lines; a check prints only faults.
  fflush(stdout);
  const int saved = dup(STDOUT_FILENO);
  const int null = open("/dev/null", O_WRONLY);
  if (saved >= 0 && null >= 0) {
    dup2(null, STDOUT_FILENO);
  }
  headless_ = std::make_unique<HeadlessGame>("velm2-level");
  fflush(stdout);
  if (saved >= 0 && null >= 0) {
    dup2(saved, STDOUT_FILENO);
  }
  if (saved >= 0) {
    close(saved);
  }
  if (null >= 0) {
    close(null);
  }
  if (here >= 0) {
    if (moved && fchdir(here) != 0) {
      printf("ERROR velm2-level: can't return to the working directory\n");
    }
    close(here);
  }
}

std::string LookCheck::Unavailable() const {
  if (!headless_->started || !theGame->screen) {
    return "SDL could not start: " + std::string(SDL_GetError());
  }
  const SDL_Surface* const pictures[] = {theGame->wallImage,  theGame->floorImage,
                                         theGame->placeImage, theGame->boxImage,
                                         theGame->heroImage,  theGame->fontSheet};
  for (const SDL_Surface* picture : pictures) {
    if (!picture) {
      return "the game's pictures are not in data/ here nor where the game is installed";
    }
  }
  return "";
}

std::vector<LevelProblem> LookCheck::Check(const std::string& bytes) {
  std::vector<LevelProblem> problems;
  std::string error;
  if (!Unavailable().empty() || !LoadLevelBytes(bytes, headless_->board.get(), &error)) {
    return problems;
  }
  Looker looker(*headless_->board, &problems);
  looker.CheckInside();
  looker.CheckPlaces();
  looker.CheckScreen();
  looker.CheckHud();
  looker.CheckReach();
  return problems;
}

std::string WallShape(const std::string& bytes) {
  auto level = std::make_unique<CLevel>();
  std::string error;
  if (!LoadLevelBytes(bytes, level.get(), &error)) {
    return "";
  }
  std::vector<std::pair<int, int>> walls;
  int left = BOARD_COLUMNS;
  int top = BOARD_ROWS;
  for (int row = 0; row < BOARD_ROWS; row++) {
    for (int column = 0; column < BOARD_COLUMNS; column++) {
      if (level->objectLayer[row][column].kind == TILE_WALL) {
        walls.push_back({column, row});
        left = std::min(left, column);
        top = std::min(top, row);
      }
    }
  }
  std::string shape;
  for (const auto& [column, row] : walls) {
    shape += std::to_string(column - left) + "," + std::to_string(row - top) + " ";
  }
  return shape;
}
