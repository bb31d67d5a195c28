#!/usr/bin/env bash
# The game on the SDL 1.2 compatibility library (over SDL 2), which newer
# distributions ship instead of classic SDL 1.2; scripts/setup unpacks it into
# build-sdl12-compat/. In the tree with the memory checkers, the tests that
# load and draw pictures run on it (the end-to-end test there runs on classic
# SDL 1.2); in the players' tree, the end-to-end test runs on it.
# Usage: bash tests/sdl12_compat.sh BUILDDIR (from the repository root).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
compat=$(pwd)/build-sdl12-compat
[ -e "$compat/libSDL-1.2.so.0" ] || { echo "FAIL: no $compat/libSDL-1.2.so.0: run scripts/setup test"; exit 1; }
export LD_LIBRARY_PATH="$compat${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
# Read ldd's whole answer first: grep -q stopping early would fail the pipe.
libraries=$(ldd "$build/velm2")
grep -q "$compat/libSDL-1.2.so.0" <<<"$libraries" ||
  { echo "FAIL: the game does not pick up the compatibility library"; exit 1; }

if grep -q '^VELM2_SANITIZE:BOOL=ON$' "$build/CMakeCache.txt"; then
  # The leak checker cannot follow the compatibility library's threads at exit,
  # and SDL 2 keeps allocations of its own; leaks are checked on classic SDL 1.2.
  export ASAN_OPTIONS=detect_leaks=0
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$build/velm2_tests" --gtest_brief=1 \
    --gtest_filter='GamePictures.*:LoadImage.*:LoadTexture.*:Board.*:ShellTest.*:HudTest.*'
else
  bash tests/e2e_game.sh "$build"
fi
