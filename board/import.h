// import.h: levels in the genre's classic plain-text notation, made into text
// levels of this game.
//
// The classic notation draws one square a character:
//
//   #  wall     $  box             .  goal
//   @  player   *  box on a goal   +  player on a goal
//   space, - or _  floor
//
// A file holds several levels, their pictures apart by blank lines, with
// title and comment lines around them. A square here is a 2 x 2 object, so
// square (c, r) becomes the object or ground tile anchored at cell (2c, 2r),
// and every classic step is two steps of the hero.
#pragma once

#include <string>
#include <vector>

// The board holds pictures of up to this many squares across and down.
const int CLASSIC_COLUMNS = 12;
const int CLASSIC_ROWS = 10;

// One level of a classic file.
struct ClassicLevel {
  int number = 0;  // 1 for the first picture of the file
  int line = 0;    // the line of the picture's first row, from 0
  // A "Title:" line in the picture's paragraph or just before it; otherwise
  // the last other line before it and after the previous paragraph, without
  // a leading ';'. Empty when there is none.
  std::string title;
  std::vector<std::string> rows;
};

// The levels of a classic file in file order. A picture is a run of lines
// made of the notation's characters that each hold a wall; every other line
// is a title, a comment, a "Key: value" note or blank.
std::vector<ClassicLevel> ParseClassicLevels(const std::string& text);

// `title` shortened to at most `limit` bytes, at a space where one is near
// the end, never inside a UTF-8 character.
std::string ShortenTitle(const std::string& title, size_t limit);

// The text level of a classic level. Floors lie under every square the player
// can reach, pushing boxes aside, and every goal, box and player square. False
// with `error` saying what when the picture is larger than the board holds,
// has not one player, no box or fewer goals than boxes, or lets the player
// walk out of its walls; a fault of a square names its line and column.
bool ClassicToLevelText(const ClassicLevel& level, std::string* text, std::string* error);
