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

shoot() {
  import -window "$window" "$work/$1.png" 2>/dev/null
}
# Number of pixels that differ between two screenshots in the board area
# (below the frame rate line, left of the counters, above the key help).
board_difference() {
  compare -metric AE -crop 560x400+0+20 "$work/$1.png" "$work/$2.png" null: 2>&1 | sed 's/ .*//' || true
}
press() {
  xdotool keydown "$1"
  sleep "${2:-0.06}"
  xdotool keyup "$1"
  sleep "${3:-0.5}"
}

first=$(sed -n 1p level/standart/list)
second=$(sed -n 2p level/standart/list)
read -r -a steps <<<"$(sed 's/U/Up /g; s/D/Down /g; s/L/Left /g; s/R/Right /g' \
  "level/source/${first%.lev}.solution")"

# The first step of level 1's solution moves the hero; Backspace takes it back.
shoot start
press "${steps[0]}"
shoot walked
[ "$(board_difference start walked)" != 0 ] || fail "${steps[0]} did not move the hero"
press BackSpace
shoot undone
[ "$(board_difference start undone)" = 0 ] || fail "Backspace did not take the step back"

# Plus goes on to level 2, Minus back to level 1.
press equal
shoot next
[ "$(board_difference start next)" != 0 ] || fail "Plus did not change the board"
press minus
shoot back
[ "$(board_difference start back)" = 0 ] || fail "Minus did not bring level 1 back"

# The whole solution shows the level-complete picture; Space goes on.
for key in "${steps[@]}"; do
  press "$key" 0.05 0.2
done
sleep 0.3
shoot solved
read -r win_w win_h <<<"$(identify -format '%w %h' data/win.bmp)"
compare -metric AE -fuzz 6% "data/win.bmp[1x1+$((win_w / 2))+$((win_h / 2))]" \
  "$work/solved.png[1x1+$((58 + win_w / 2))+$((150 + win_h / 2))]" null: >/dev/null 2>&1 ||
  fail "no level-complete picture after the solution of $first"
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

# Start-up lines in their order; level 2 loaded by Plus and again by Space.
lines=$(head -5 "$work/out.txt" | cut -c1-12 | sed 's/^ERROR init a/Init SDL aud/' | paste -sd'|')
[ "$lines" = "Init SDL vid|Init SDL aud|Loadind imag|Load Level P|Load Level '" ] ||
  fail "start-up lines begin $lines"
[ "$(grep -c "^Load Level 'level/standart/$second'... OK" "$work/out.txt")" -eq 2 ] ||
  fail "Space on the level-complete screen did not load $second"

if [ "$failures" -ne 0 ]; then
  echo "--- game output ---"
  cat "$work/out.txt" "$work/err.txt"
  echo "$failures failed"
  exit 1
fi
echo "end-to-end: all checks passed"
