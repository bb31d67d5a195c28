#!/usr/bin/env bash
# End-to-end: the built game in a real X server, driven by real key presses.
# Usage: bash tests/e2e_game.sh BUILDDIR (from the repository root).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
source tests/xvfb.bash
# Keep the X pointer off the game's window.
xdotool mousemove 790 590

"$build/velm2" -window >"$work/out.txt" 2>"$work/err.txt" &
game_pid=$!
find_window 10 || { echo "FAIL: no window titled 'Velm 2' appeared"; cat "$work/out.txt"; exit 1; }
focus_window
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] || fail "window is ${WIDTH}x${HEIGHT}, expected 640x480"

first=$(sed -n 1p level/standart/list)
second=$(sed -n 2p level/standart/list)
read -r -a steps <<<"$(solution_keys "level/source/${first%.lev}.solution")"
# One xdotool holds each key: on a busy machine, separate commands can stretch
# the hold past the 0.16 s of a step into a second step. 0.1 s is long enough
# for a game that such a machine runs only now and then to see the key held.
press() {
  xdotool keydown "$1" sleep "${2:-0.1}" keyup "$1"
  sleep "${3:-0.5}"
}

# Backspace takes back the first step of level 1's solution: the board area
# (below the frame rate, left of the counters, above the key help) is as before.
import -window "$window" "$work/start.png"
press "${steps[0]}"
press BackSpace
import -window "$window" "$work/undone.png"
difference=$(compare -metric AE -crop 560x400+0+20 "$work/start.png" "$work/undone.png" null: 2>&1) ||
  fail "Backspace did not take the first step back: $difference pixels differ"

# Plus, Minus, then the whole solution; Space on the level-complete screen
# goes on to level 2. Each loads its level, as the output tells below.
press equal
press minus
for key in "${steps[@]}"; do
  press "$key" 0.1 0.2
done
press space
press Escape
wait_game 10
[ "$stopped" = no ] || fail "the game did not quit on Escape"
[ "$status" -eq 0 ] || fail "exit code $status, expected 0"

# Start-up lines, then level 1, Plus, Minus and Space load their levels.
sed -i 's/^ERROR init audio subsysytem\. .*/Init SDL audio... OK/' "$work/out.txt"
printf "%s\n" "Init SDL video... OK" "Init SDL audio... OK" "Loadind image data... OK" \
  "Load Level Pak 'level/standart'... OK" "Load Level 'level/standart/$first'... OK" \
  "Load Level 'level/standart/$second'... OK" "Load Level 'level/standart/$first'... OK" \
  "Load Level 'level/standart/$second'... OK" | diff - "$work/out.txt" ||
  fail "the game's output differs as shown"
[ "$failures" -eq 0 ] || cat "$work/out.txt" "$work/err.txt"
finish end-to-end
