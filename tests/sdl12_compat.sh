#!/usr/bin/env bash
# Runs the tests that load and draw pictures, and the end-to-end test, again
# with the game on the SDL 1.2 compatibility library (over SDL 2), which newer
# distributions ship instead of the classic SDL 1.2. Its package replaces
# classic SDL 1.2, so it is unpacked into the build directory and used through
# LD_LIBRARY_PATH.
# Usage: bash tests/sdl12_compat.sh BUILDDIR (from the repository root).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
compat="$build/sdl12-compat"

if [ ! -e "$compat/libSDL-1.2.so.0" ]; then
  unpack=$(mktemp -d)
  trap 'rm -rf "$unpack"' EXIT
  (cd "$unpack" && { apt-get download libsdl1.2-compat >/dev/null 2>&1 ||
    { apt-get update -qq && apt-get download libsdl1.2-compat >/dev/null 2>&1; }; }) ||
    { echo "FAIL: could not download the Debian package libsdl1.2-compat"; exit 1; }
  dpkg-deb -x "$unpack"/libsdl1.2-compat_*.deb "$unpack/root"
  mkdir -p "$compat"
  cp -P "$(dirname "$(find "$unpack/root" -name 'libSDL-1.2.so.0' | head -1)")"/libSDL-1.2.so* "$compat/"
fi
export LD_LIBRARY_PATH="$compat${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
# Read ldd's whole answer first: grep -q stopping early would fail the pipe.
libraries=$(ldd "$build/velm2")
grep -q "$compat/libSDL-1.2.so.0" <<<"$libraries" ||
  { echo "FAIL: the game does not pick up the compatibility library"; exit 1; }

# The leak checker cannot follow the compatibility library's threads at exit,
# and SDL 2 keeps allocations of its own; leaks are checked on classic SDL 1.2.
export ASAN_OPTIONS=detect_leaks=0
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$build/velm2_tests" --gtest_brief=1 \
  --gtest_filter='GamePictures.*:LoadImage.*:LoadTexture.*:Board.*:ShellTest.*:HudTest.*'
bash tests/e2e_game.sh "$build"
