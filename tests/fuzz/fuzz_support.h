// fuzz_support.h: what the libFuzzer targets share: a game on the dummy video
// driver with small picture sheets, and input bytes turned into a file path.
#pragma once

#include <SDL/SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "board/level.h"
#include "shell/game.h"

// A CGame on a 640 x 480 dummy display with plain picture sheets of the real
// frame sizes, installed as `theGame`; its board is `level`. Made once per
// process, since a video mode takes far longer than one fuzz input.
CGame& FuzzGame();

// The path of an in-memory file that now holds exactly `size` bytes of
// `data`; every call reuses the same file.
const char* BytesAsFile(const uint8_t* data, size_t size);

// Sends standard output, where the game reports, to /dev/null: millions of
// error lines would only slow the fuzzer down.
void SilenceOutput();
