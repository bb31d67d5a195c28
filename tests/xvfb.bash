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

# The X server picks a free display itself and tells us its number.
exec {display_pipe}<> <(:)
Xvfb -displayfd "$display_pipe" -screen 0 800x600x24 -nolisten tcp -noreset >/dev/null 2>&1 &
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

# Gives the window the keyboard and lets it settle.
focus_window() {
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  sleep 0.5
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
