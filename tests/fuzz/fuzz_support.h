// fuzz_support.h: what the libFuzzer targets share: a game on the dummy video
// driver with its pictures, and input bytes turned into a file path.
#pragma once

#include <SDL/SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "board/level.h"
#include "shell/game.h"

// The game on the dummy video driver with its own pictures from data/, as
// the level tools draw it, installed as `theGame`; its board is `level`. Made
// once per process, since a video mode takes far longer than one fuzz input;
// making it silences standard output.
CGame& FuzzGame();

// The path of an in-memory file that now holds exactly `size` bytes of
// `data`; every call reuses the same file.
const char* BytesAsFile(const uint8_t* data, size_t size);

// How much of an input that begins with a level file is that level: as long
// as its header says, or the whole input when that is shorter, so the pack's
// level files are seeds as they stand.
size_t LevelFileSize(const uint8_t* data, size_t size);

// Sends standard output, where the game reports, to /dev/null: millions of
// error lines would only slow the fuzzer down.
void SilenceOutput();
