#!/usr/bin/env bash
# End-to-end: the built game in a real X server, driven by real key presses.
# Each press waits for what the game shows or prints, so a busy machine only
# makes it slower.
# Usage: bash tests/e2e_game.sh BUILDDIR (from the repository root).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
source tests/xvfb.bash
# Keep the X pointer off the game's window.
xdotool mousemove 790 590

# The game runs ahead of other work too: after a stall, its first frame spends
# the whole stalled time on the glide that a key starts, and the key, still
# held in the next frame, takes a second step.
"${ahead[@]}" "$build/velm2" -window >"$work/out.txt" 2>"$work/err.txt" &
game_pid=$!
find_window 60 || { echo "FAIL: no window titled 'Velm 2' appeared"; cat "$work/out.txt"; exit 1; }
focus_window
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] || fail "window is ${WIDTH}x${HEIGHT}, expected 640x480"
loads() { wait_line "^Load Level '" 60 "$1"; }
loads 1 && settle 60 || { echo "FAIL: the first level was not drawn"; cat "$work/out.txt"; exit 1; }

first=$(sed -n 1p level/standart/list)
second=$(sed -n 2p level/standart/list)
read -r -a steps <<<"$(solution_keys "level/source/${first%.lev}.solution")"

# Backspace takes back the first step of level 1's solution: the board is as
# it was before the step, which the board showed.
cp "$work/board.rgb" "$work/start.rgb"
step "${steps[0]}" || fail "the first step did not show on the board"
xdotool key BackSpace
changed 30 || fail "Backspace changed nothing on the board"
cmp -s "$work/board.rgb" "$work/start.rgb" || fail "Backspace did not take the first step back"

# Plus, Minus (each acts on release and loads its level), then the whole
# solution; Space on the level-complete screen goes on to level 2.
xdotool key equal
loads 2 || fail "Plus loaded no level"
xdotool key minus
loads 3 && settle 60 || fail "Minus loaded no level"
for key in "${steps[@]}"; do
  step "$key" || { fail "the step $key did not show on the board"; break; }
done
# Space counts while it is held on the level-complete screen.
xdotool keydown space
loads 4 || fail "Space after the solution loaded no level"
xdotool keyup space
quit_game 30
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
