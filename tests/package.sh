#!/usr/bin/env bash
# package.sh: the Debian package as a player gets it. Builds it with cpack,
# has lintian look at it, unpacks it into a temporary root and plays its first
# level there with real key presses, started from a home folder and from /.
# Usage: bash tests/package.sh BUILDDIR (from the repository root).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
source tests/xvfb.bash

fail() {
  echo "FAIL package: $*"
  exit 1
}

(cd "$build" && cpack -G DEB -B "$work/cpack" >"$work/cpack.txt" 2>&1) || { cat "$work/cpack.txt"; fail "cpack failed"; }
deb=$(ls "$work"/cpack/velm2_*.deb)
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q libsdl1.2debian <<<"$depends" || fail "Depends has no SDL 1.2: $depends"

# Warnings and notes are lintian's advice; an error fails the test.
lintian_out=$(lintian --fail-on error "$deb" 2>&1) || { echo "$lintian_out"; fail "lintian found errors"; }

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop entry not valid"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml >"$work/appstream.txt" ||
  { cat "$work/appstream.txt"; fail "metainfo not valid"; }

# Starts the installed game from folder $1 with the argument $2, waits for its
# first level drawn, makes a step with each key that follows, and checks that
# Escape ends it well. The game's output is left in $work/out.txt.
play() {
  local dir=$1
  # Ahead of other work, as in tests/e2e_game.sh, so that each key makes one step.
  (cd "$dir" && exec "${ahead[@]}" "$root/usr/games/velm2" "$2") >"$work/out.txt" 2>"$work/err.txt" &
  game_pid=$!
  shift 2
  find_window 60 || { cat "$work/out.txt"; fail "no window from $dir"; }
  focus_window
  wait_line "^Load Level '" 60 || { cat "$work/out.txt"; fail "no level loaded from $dir"; }
  # Full screen (no -window) draws where window shots do not see; no keys go there.
  [ $# -eq 0 ] || settle 60 || fail "no level drawn from $dir"
  for key in "$@"; do
    step "$key" || fail "the step $key did not show from $dir"
  done
  quit_game 30
  [ "$stopped" = no ] || fail "the game from $dir did not quit on Escape"
  [ "$status" -eq 0 ] || fail "exit code $status from $dir"
  # Without a sound card the sound library writes its own complaints.
  ! grep -v '^ALSA lib' "$work/err.txt" || fail "the game from $dir wrote to standard error"
  ! grep -v '^ERROR init audio' "$work/out.txt" | grep '^ERROR' || fail "errors from $dir"
}

# From a home folder, the first level of the installed pack is solved with its
# stored solution, and Space on the level-complete screen loads the second.
pack="$root/usr/share/games/velm2/level/standart"
first=$(sed -n 1p "$pack/list")
second=$(sed -n 2p "$pack/list")
read -r -a keys <<<"$(solution_keys "level/source/${first%.lev}.solution")"
mkdir "$work/home"
play "$work/home" -window "${keys[@]}" space
grep -qx "Load Level 'level/standart/$second'... OK" "$work/out.txt" ||
  { cat "$work/out.txt"; fail "no level-complete screen after the solution of $first"; }

# From /, a level path relative to / means that file, not one in the data folder.
cp "$pack/$first" "$work/home/mine.lev"
play / "${work#/}/home/mine.lev"
grep -qx "Load Level '/${work#/}/home/mine.lev'... OK" "$work/out.txt" ||
  { cat "$work/out.txt"; fail "the level named from / did not load"; }
echo "package: built, clean under lintian, plays from a home folder and from /"
