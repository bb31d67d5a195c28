# xvfb.bash: sourced by the shell tests that play the game in a virtual X
# server. Makes $work (a temporary folder) and starts Xvfb on a free display;
# at exit the game in $game_pid and the server are stopped and $work removed.
work=$(mktemp -d)
failures=0
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# "${ahead[@]}" COMMAND runs ahead of other work on the machine where the
# tests may raise priority (as root, as CI runs them): the X server, so that
# it passes on a key's release when it is made and a hold stays exact, and
# the game (see tests/e2e_game.sh).
ahead=()
[ "$(id -u)" -ne 0 ] || ahead=(nice -n -10)

# The X server picks a free display itself and tells us its number.
exec {display_pipe}<> <(:)
"${ahead[@]}" Xvfb -displayfd "$display_pipe" -screen 0 800x600x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 display <&"$display_pipe" || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$display"

# Waits up to $1 seconds for the game's window and sets $window; fails if none.
find_window() {
  window=""
  for _ in $(seq $(($1 * 10))); do
    window=$(xdotool search --name '^Velm 2$' 2>/dev/null | head -1) || true
    [ -n "$window" ] && return 0
    sleep 0.1
  done
  return 1
}

# Gives the window the keyboard.
focus_window() {
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
}

# Waits up to $2 seconds until the game's output ($work/out.txt, which the game
# writes line by line) has $3 (or 1) lines matching the regular expression $1.
wait_line() {
  for _ in $(seq $(($2 * 10))); do
    [ "$(grep -c -- "$1" "$work/out.txt")" -ge "${3:-1}" ] && return 0
    sleep 0.1
  done
  return 1
}

# The board area of the window (below the frame rate, left of the counters,
# above the key help) as raw pixels in file $1.
board_shot() {
  import -window "$window" -crop 560x400+0+20 rgb:"$1" 2>/dev/null
}

# Waits up to $1 seconds until the board area has been drawn (not all black)
# and is still: the same in two shots 0.3 s apart, longer than a step's glide.
# Leaves it in $work/board.rgb.
settle() {
  board_shot "$work/board.rgb" || true
  for _ in $(seq $(($1 * 3))); do
    sleep 0.3
    board_shot "$work/shot.rgb" || continue
    if cmp -s "$work/shot.rgb" "$work/board.rgb" && [ -n "$(tr -d '\0' <"$work/shot.rgb" | head -c 1)" ]; then
      return 0
    fi
    mv "$work/shot.rgb" "$work/board.rgb"
  done
  return 1
}

# Waits up to $1 seconds until the board area differs from $work/board.rgb,
# then until it is still again.
changed() {
  cp "$work/board.rgb" "$work/before.rgb"
  for _ in $(seq $(($1 * 5))); do
    board_shot "$work/board.rgb" && ! cmp -s "$work/board.rgb" "$work/before.rgb" && settle 30 && return 0
    sleep 0.2
  done
  cp "$work/before.rgb" "$work/board.rgb"
  return 1
}

# One step with the key $1, seen done on the board. The key is held 0.08 s, in
# one xdotool run ahead of other work, so that a busy machine cannot stretch
# the hold past the 0.16 s of a step into a second step; a hold the game never
# saw (kept from its frames the whole time, it found the key up again) shows
# no change and is made again.
step() {
  for _ in 1 2 3; do
    "${ahead[@]}" xdotool keydown "$1" sleep 0.08 keyup "$1"
    changed 5 && return 0
  done
  return 1
}

# Holds Escape until the game has ended (it reads the keys held when it handles
# a key press, so a quick tap can pass unseen) and checks as wait_game does.
quit_game() {
  xdotool keydown Escape
  wait_game "$1"
  xdotool keyup Escape
}

# Waits up to $1 seconds for the game in $game_pid to end, stopping it after
# that, and sets $status to its exit status and $stopped to yes if it had to be
# stopped: SDL turns the stop signal into an orderly quit with status 0.
wait_game() {
  for _ in $(seq $(($1 * 10))); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  stopped=no
  kill "$game_pid" 2>/dev/null && stopped=yes
  status=0
  wait "$game_pid" || status=$?
  game_pid=""
}

# Counts a failed check; the test goes on, and `finish NAME` ends it failing.
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

finish() {
  [ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
  echo "$1: all checks passed"
}

# The key names of a stored solution's letters, which are in capitals where
# they push a box.
solution_keys() {
  sed 's/[uU]/Up /g; s/[dD]/Down /g; s/[lL]/Left /g; s/[rR]/Right /g' "$1"
}
