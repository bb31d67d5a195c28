#!/usr/bin/env bash
# End-to-end: the built game in a real X server, driven by real key presses.
# Usage: bash tests/e2e_game.sh BUILDDIR (from the repository root).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
xvfb_pid=""
game_pid=""
failures=0
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp:print_suppressions=0"

cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "${KEEP_E2E:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The X server picks a free display itself and tells us its number.
exec {display_pipe}<> <(:)
Xvfb -displayfd "$display_pipe" -screen 0 800x600x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 display <&"$display_pipe" || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$display"
# Keep the X pointer off the game's window.
xdotool mousemove 790 590

"$build/velm2" -window >"$work/out.txt" 2>"$work/err.txt" &
game_pid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name '^Velm 2$' 2>/dev/null | head -1) || true
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: no window titled 'Velm 2' appeared"; cat "$work/out.txt"; exit 1; }
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] || fail "window is ${WIDTH}x${HEIGHT}, expected 640x480"

first=$(sed -n 1p level/standart/list)
second=$(sed -n 2p level/standart/list)
read -r -a steps <<<"$(sed 's/[uU]/Up /g; s/[dD]/Down /g; s/[lL]/Left /g; s/[rR]/Right /g' \
  "level/source/${first%.lev}.solution")"
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

code=0
for _ in $(seq 100); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not quit on Escape" && kill "$game_pid"
wait "$game_pid" || code=$?
game_pid=""
[ "$code" -eq 0 ] || fail "exit code $code, expected 0"

# Start-up lines, then level 1, Plus, Minus and Space load their levels.
sed -i 's/^ERROR init audio subsysytem\. .*/Init SDL audio... OK/' "$work/out.txt"
printf "%s\n" "Init SDL video... OK" "Init SDL audio... OK" "Loadind image data... OK" \
  "Load Level Pak 'level/standart'... OK" "Load Level 'level/standart/$first'... OK" \
  "Load Level 'level/standart/$second'... OK" "Load Level 'level/standart/$first'... OK" \
  "Load Level 'level/standart/$second'... OK" | diff - "$work/out.txt" ||
  fail "the game's output differs as shown"

if [ "$failures" -ne 0 ]; then
  echo "--- game output ---"
  cat "$work/out.txt" "$work/err.txt"
  echo "$failures failed"
  exit 1
fi
echo "end-to-end: all checks passed"
