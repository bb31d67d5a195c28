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

lintian --fail-on error "$deb" 2>&1 | grep -v 'root privileges' || fail "lintian found errors"

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop entry not valid"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml >"$work/appstream.txt" ||
  { cat "$work/appstream.txt"; fail "metainfo not valid"; }

# Starts the installed game from folder $1 with the argument $2, waits for its
# window, presses the keys that follow, and checks that Escape ends it well.
# The game's output is left in $work/out.txt.
play() {
  local dir=$1
  (cd "$dir" && exec "$root/usr/games/velm2" "$2") >"$work/out.txt" 2>"$work/err.txt" &
  game_pid=$!
  shift 2
  find_window 10 || { cat "$work/out.txt"; fail "no window from $dir"; }
  focus_window
  # One xdotool for all keys keeps the timing even on a busy machine: each is
  # held for less than the 0.16 s a step takes, so it makes exactly one step.
  local chain=()
  for key in "$@" Escape; do
    chain+=(keydown "$key" sleep 0.08 keyup "$key" sleep 0.2)
  done
  xdotool "${chain[@]}"
  wait_game 5
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
