#!/usr/bin/env bash
# The end-to-end scenario once under valgrind's memcheck, in a build without
# sanitizers: start, walk, undo, change levels, quit. Any invalid read or
# write, use of an uninitialised value or leak outside the libraries'
# explained allocations (tests/valgrind.supp) fails it.
# Usage: bash tests/valgrind.sh BUILDDIR (from the repository root). A build
# made with sanitizers cannot run under valgrind, so only the optimized tree
# has this test.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
root=$(pwd)
game=$build/velm2

source tests/xvfb.bash

valgrind --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect \
  --show-leak-kinds=definite,indirect --suppressions="$root/tests/valgrind.supp" \
  --num-callers=30 --log-file="$work/valgrind.txt" "$game" -window >"$work/out.txt" 2>/dev/null &
game_pid=$!

find_window 120 || { echo "FAIL: no window under valgrind"; exit 1; }
wait_line "^Load Level '" 120 || { echo "FAIL: no level loaded under valgrind"; exit 1; }
focus_window
# Frames are slow under valgrind: keys are held long enough for one.
for key in Right Down Left Up BackSpace equal minus; do
  xdotool keydown "$key" sleep 0.4 keyup "$key" sleep 0.8
done
quit_game 120
if [ "$status" -ne 0 ] || ! grep -q "ERROR SUMMARY: 0 errors" "$work/valgrind.txt"; then
  cat "$work/valgrind.txt"
  echo "FAIL: valgrind found errors or the game ended with $status"
  exit 1
fi
grep -q "^Load Level 'level/standart/.*'... OK" "$work/out.txt" || { echo "FAIL: no level loaded"; exit 1; }
echo "valgrind: no errors ($(grep -c "^Load Level '" "$work/out.txt") level loads)"
