#!/usr/bin/env bash
# End-to-end: the built game in a real X server, driven by real key presses.
# Usage: bash tests/e2e_game.sh BUILDDIR (from the repository root).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
root=$(pwd)
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
xdpyinfo >/dev/null 2>&1 || { echo "FAIL: Xvfb did not start"; exit 1; }

# Keep the X pointer off the game's window until a test moves it there.
xdotool mousemove 790 590

# Starts the game from directory $1 with the remaining arguments; output goes
# to $work/out.txt. Sets game_pid and window.
start_game() {
  local dir=$1
  shift
  (cd "$dir" && exec "$build/velm2" "$@") >"$work/out.txt" 2>"$work/err.txt" &
  game_pid=$!
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --name '^Velm 2$' 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { fail "no window titled 'Velm 2' appeared"; cat "$work/out.txt"; exit 1; }
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  sleep 0.5
}

# Waits for the game to end and checks its exit code.
expect_exit_zero() {
  local code=0
  for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$game_pid" 2>/dev/null; then
    fail "the game did not quit on Escape"
    kill "$game_pid"
  fi
  wait "$game_pid" || code=$?
  game_pid=""
  [ "$code" -eq 0 ] || fail "exit code $code, expected 0"
}

# Screenshot of the game window into $1 (PNG).
shoot() {
  import -window "$window" "$1" 2>/dev/null
}

# "r g b" of pixel (x, y) of an image file.
pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -1 |
    sed -E 's/^[^(]*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}

# Colours equal within what 16 bits per pixel keep.
close_colour() {
  local a b
  read -r -a a <<<"$1"
  read -r -a b <<<"$2"
  for i in 0 1 2; do
    local d=$((a[i] - b[i]))
    [ "${d#-}" -le 8 ] || return 1
  done
}

# Number of differing pixels between two images within the board area
# (below the frame rate line, left of the counters, above the key help).
board_difference() {
  compare -metric AE -crop 560x400+0+20 "$1" "$2" null: 2>&1 | sed 's/ .*//' || true
}

# Number of differing pixels in the MOVE line of the counters.
move_line_difference() {
  compare -metric AE -crop 80x14+560+14 "$1" "$2" null: 2>&1 | sed 's/ .*//' || true
}

press() {
  xdotool keydown "$1"
  sleep "${2:-0.06}"
  xdotool keyup "$1"
  sleep 0.5
}

# --- A normal start in a window -------------------------------------------
start_game "$root" -window

eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] || fail "window is ${WIDTH}x${HEIGHT}, expected 640x480"

shoot "$work/start.png"

# The background shows at the right-hand edge, right of the board.
back_w=$(identify -format '%w' data/back1.bmp)
back_h=$(identify -format '%h' data/back1.bmp)
for point in "620 200" "630 300" "605 380"; do
  read -r x y <<<"$point"
  want=$(pixel data/back1.bmp $((x % back_w)) $((y % back_h)))
  got=$(pixel "$work/start.png" "$x" "$y")
  close_colour "$want" "$got" || fail "background at ($x, $y) is $got, expected $want"
done

# The pointer picture follows the mouse, its hot spot on the mouse position.
want=$(pixel data/cursor.bmp 0 0)
xdotool mousemove --window "$window" 300 200
sleep 0.4
shoot "$work/mouse.png"
got=$(pixel "$work/mouse.png" 300 200)
close_colour "$want" "$got" || fail "pointer at (300, 200) is $got, expected $want"
xdotool mousemove 790 590
sleep 0.3

# Held arrows walk the hero; Backspace takes the step back.
shoot "$work/before.png"
moved=""
for arrow in Right Left Down Up; do
  press "$arrow"
  shoot "$work/after.png"
  if [ "$(board_difference "$work/before.png" "$work/after.png")" != 0 ]; then
    moved=$arrow
    break
  fi
done
if [ -z "$moved" ]; then
  fail "no arrow key changed the board on screen"
else
  press BackSpace
  shoot "$work/undone.png"
  [ "$(board_difference "$work/before.png" "$work/undone.png")" = 0 ] ||
    fail "Backspace did not bring the board back after $moved"

  # The MOVE counter at the top right reads the same after the undo, and
  # differently after three more steps.
  [ "$(move_line_difference "$work/before.png" "$work/undone.png")" = 0 ] ||
    fail "the MOVE line changed although the step was taken back"
  for _ in 1 2 3; do
    press "$moved"
  done
  shoot "$work/three.png"
  [ "$(move_line_difference "$work/before.png" "$work/three.png")" != 0 ] ||
    fail "the MOVE line did not change after three steps"
fi

# Plus goes on to the next level: another board and another load line.
loads_before=$(grep -c "^Load Level '" "$work/out.txt" || true)
press equal
shoot "$work/next.png"
[ "$(board_difference "$work/before.png" "$work/next.png")" != 0 ] || fail "Plus did not change the board"

# Minus goes back to level 1, which its stored solution solves with real key
# presses; the level-complete picture shows, and Space goes on to level 2.
press minus
first=$(sed -n 1p level/standart/list)
solution=$(cat "level/source/${first%.lev}.solution")
for ((i = 0; i < ${#solution}; i++)); do
  case ${solution:i:1} in
    u | U) key=Up ;; d | D) key=Down ;; l | L) key=Left ;; r | R) key=Right ;;
  esac
  xdotool keydown $key
  sleep 0.05
  xdotool keyup $key
  sleep 0.2
done
sleep 0.3
shoot "$work/solved.png"
win_w=$(identify -format '%w' data/win.bmp)
win_h=$(identify -format '%h' data/win.bmp)
want=$(pixel data/win.bmp $((win_w / 2)) $((win_h / 2)))
got=$(pixel "$work/solved.png" $((58 + win_w / 2)) $((150 + win_h / 2)))
close_colour "$want" "$got" || fail "no level-complete picture after the solution of $first"
press space

press Escape
expect_exit_zero

loads_after=$(grep -c "^Load Level '" "$work/out.txt" || true)
[ "$loads_after" -gt "$loads_before" ] || fail "no level load line after Plus"
# Level 2 was loaded by Plus and again by Space on the level-complete screen.
second=$(sed -n 2p level/standart/list)
[ "$(grep -c "^Load Level 'level/standart/$second'... OK" "$work/out.txt")" -eq 2 ] ||
  fail "Space on the level-complete screen did not load $second"

# Start-up lines in their order.
expected=("Init SDL video... OK" "Init SDL audio... OK|ERROR init audio subsysytem. " "Loadind image data... OK"
  "Load Level Pak 'level/standart'... OK" "Load Level 'level/standart/")
line=0
for pattern in "${expected[@]}"; do
  found=$(tail -n +$((line + 1)) "$work/out.txt" | grep -n -m1 -E "^($pattern)" | cut -d: -f1) || true
  if [ -z "$found" ]; then
    fail "start-up line '$pattern' missing or out of order"
  else
    line=$((line + found))
  fi
done
[ -s "$work/err.txt" ] && grep -v -i -E '^(ALSA|audio|xcb|X11)' "$work/err.txt" | grep -q . &&
  { echo "standard error:"; cat "$work/err.txt"; }

# --- A start without any pictures -----------------------------------------
mkdir -p "$work/bare"
ln -s "$root/level" "$work/bare/level"
start_game "$work/bare" -window
press Escape
expect_exit_zero
for picture in back1 win hero wall box place floor cursor font7x14; do
  loader=LoadImage
  [ $picture = back1 ] && loader=LoadTexture
  grep -qx "ERROR $loader: can't load image data/$picture.bmp" "$work/out.txt" ||
    fail "no error line for the missing data/$picture.bmp"
done
grep -qx "Loadind image data... OK" "$work/out.txt" || fail "no image data line without pictures"

if [ "$failures" -ne 0 ]; then
  echo "--- game output ---"
  cat "$work/out.txt"
  echo "$failures failed"
  exit 1
fi
echo "end-to-end: all checks passed"
