#!/usr/bin/env bash
# The game with one SDL call made to fail at a time (through the preloaded
# library of tests/shim): each failure is reported on standard output, and the
# game goes on without what failed. (A start where SDL itself can't start is
# the catalogue test's: it runs the game without a display.)
# Usage: bash tests/failure_shim.sh BUILDDIR (from the repository root).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
# The sanitizer runtime wants to be loaded first; the shim is loaded before it.
export ASAN_OPTIONS=verify_asan_link_order=0
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
source tests/xvfb.bash

# Starts the game windowed with VELM2_FAIL=$1; its output goes to $work/out.txt.
start_game() {
  VELM2_FAIL=$1 LD_PRELOAD="$build/libvelm2_failshim.so" "$build/velm2" -window \
    >"$work/out.txt" 2>/dev/null &
  game_pid=$!
}

# Waits for the window and the first level, and gives the window the keyboard.
focus() {
  find_window 60 || { fail "$1: no window"; return 1; }
  wait_line "^Load Level '.*'... OK$" 60 || { fail "$1: no level was loaded"; return 1; }
  focus_window
}

# Each output line that must appear, one per line of $2.
expect_lines() {
  while IFS= read -r line; do
    grep -qxF "$line" "$work/out.txt" || fail "$1: no line '$line'"
  done <<<"$2"
}

# Plays on after the failure: a few steps, then Escape, which ends with 0.
play_and_quit() {
  focus "$1" || return 0
  xdotool key Right Down Left Up
  quit_game 30
  [ "$stopped" = no ] || fail "$1: the game did not quit on Escape"
  [ "$status" = 0 ] || fail "$1: ended with $status, not 0, on Escape"
}

pictures=(win hero wall box place floor cursor font7x14)
why="failed on purpose"

# Opening the picture files.
start_game SDL_RWFromFile
play_and_quit SDL_RWFromFile
expect_lines SDL_RWFromFile "ERROR LoadTexture: can't load image data/back1.bmp
$(for p in "${pictures[@]}"; do echo "ERROR LoadImage: can't load image data/$p.bmp"; done)
Loadind image data... OK"

# Only the third file (the hero) fails to open; every other picture loads.
start_game SDL_RWFromFile:3
play_and_quit SDL_RWFromFile:3
[ "$(grep -c '^ERROR' "$work/out.txt")" = 1 ] && grep -qx "ERROR LoadImage: can't load image data/hero.bmp" "$work/out.txt" ||
  fail "SDL_RWFromFile:3: expected only the hero's error line"

# Converting the pictures to the display format.
start_game SDL_DisplayFormat
play_and_quit SDL_DisplayFormat
expect_lines SDL_DisplayFormat "ERROR LoadTexture: can't convert image data/back1.bmp. $why
$(for p in "${pictures[@]}"; do echo "ERROR LoadImage: can't convert image data/$p.bmp. $why"; done)"

# Creating the background's surface.
start_game SDL_CreateRGBSurface
play_and_quit SDL_CreateRGBSurface
expect_lines SDL_CreateRGBSurface "ERROR LoadTexture: can't create the Texture Surface. $why"

# The video mode at start-up: reported, and the game runs on without a picture.
start_game SDL_SetVideoMode:1
wait_line "^Load Level '.*'... OK$" 60 && kill -0 "$game_pid" 2>/dev/null ||
  fail "SDL_SetVideoMode:1: the game did not go on"
wait_game 0
expect_lines SDL_SetVideoMode:1 "ERROR InitDisplay: unable to set windowed video mode. $why
Loadind image data... OK"

# Alt+Return asks for full screen and fails; the game goes on, and the next
# Alt+Return brings the window back. The game reads Alt as held at the start of
# a frame, so Alt goes down first, and Return again until the game answers.
start_game SDL_SetVideoMode:2
if focus SDL_SetVideoMode:2; then
  xdotool keydown alt
  for _ in 1 2 3; do
    xdotool key Return
    wait_line "unable to set fullscreen" 10 && break
  done
  xdotool key Return keyup alt
  kill -0 "$game_pid" 2>/dev/null || fail "SDL_SetVideoMode:2: the game stopped"
  play_and_quit SDL_SetVideoMode:2
  expect_lines SDL_SetVideoMode:2 "ERROR InitDisplay: unable to set fullscreen video mode. $why"
fi
finish "failure shim"
