#!/usr/bin/env bash
# level_tool.sh: velm2-level's commands, their lines and exit statuses.
set -euo pipefail
tool="$1/velm2-level"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# expect STATUS OUTPUT COMMAND...: the command ends with STATUS and prints OUTPUT.
expect() {
  local status=$1 expected=$2 out rc=0
  shift 2
  out=$(timeout 20 "$@") || rc=$?
  if [ "$rc" != "$status" ] || [ "$out" != "$expected" ]; then
    printf '%s\nexpected %s: %s\nwas %s: %s\n' "$*" "$status" "$expected" "$rc" "$out"
    exit 1
  fi
}

"$tool" build level/source/nook.txt "$tmp/level.lev"
"$tool" show "$tmp/level.lev" | cmp - level/source/nook.txt
# Faults are one line each on standard output and end the command with an error.
printf 'VELM' >"$tmp/short.lev"
expect 1 "$tmp/short.lev: the file ends after 4 bytes, inside the header
$tmp/level.lev: OK" "$tool" check "$tmp/short.lev" "$tmp/level.lev"
expect 1 "ERROR velm2-level: '$tmp/missing.txt': can't open: No such file or directory" \
  "$tool" build "$tmp/missing.txt" "$tmp/out.lev"
[ ! -e "$tmp/out.lev" ]
expect 2 "ERROR velm2-level: unknown option '--fast'" "$tool" import "$tmp/short.lev" --fast
"$tool" frobnicate >/dev/null && exit 1

# A classic room: one push there is two here; a box against the wall can't come back.
printf '; one\n#####\n#@$.#\n#####\n\n#####\n#$@.#\n#####\n' >"$tmp/rooms.sok"
expect 0 "$tmp/rooms-001.txt: level 1 'one'
$tmp/rooms-002.txt: level 2" "$tool" import "$tmp/rooms.sok" -o "$tmp"
# Classic rooms keep their place in the corner; the look check tells what that
# shows, and that the two rooms have the same walls.
expect 1 "$tmp/rooms-001.txt: line 26, column 6: the place at (column 6, row 2) has 1148 of its 2304 pixels hidden under walls and boxes at the start, more than a quarter
$tmp/rooms-001.txt: line 3, column 0: the wall at (column 0, row 0) loses its left and top 14 pixels to the screen's edge
$tmp/rooms-001.txt: the room is off centre: its middle lies 200.0 pixels left of and 168.0 pixels above the screen's middle, more than a cell (24 pixels)
$tmp/rooms-001.txt: line 3, column 0: the room reaches under the HUD's top-left text (x 0-76, y 2-13) at (column 0, row 0)
$tmp/rooms-002.txt: line 25, column 6: the place at (column 6, row 2) has 1148 of its 2304 pixels hidden under walls and boxes at the start, more than a quarter
$tmp/rooms-002.txt: line 2, column 0: the wall at (column 0, row 0) loses its left and top 14 pixels to the screen's edge
$tmp/rooms-002.txt: the room is off centre: its middle lies 200.0 pixels left of and 168.0 pixels above the screen's middle, more than a cell (24 pixels)
$tmp/rooms-002.txt: line 2, column 0: the room reaches under the HUD's top-left text (x 0-76, y 2-13) at (column 0, row 0)
$tmp/rooms-002.txt: the same walls as '$tmp/rooms-001.txt'" "$tool" check "$tmp"/rooms-*.txt
# A level named twice is one level, not a copy; away from the pictures the look
# check can't run, and says so.
expect 1 "ERROR velm2-level: no look check: the game's pictures are not in data/ here nor where the game is installed
$tmp/rooms-001.txt: OK
$tmp/rooms-001.txt: OK" bash -c "cd '$tmp' && '$(realpath "$tool")' check '$tmp/rooms-001.txt' '$tmp/rooms-001.txt'"
# A box each way from the hero: the fewest moves change boxes once.
printf '#######\n#.$@$.#\n#######\n' >"$tmp/pair.sok"
"$tool" import "$tmp/pair.sok" -o "$tmp" >/dev/null
"$tool" solve "$tmp/pair-001.txt" >"$tmp/solved"
expect 0 "moves 6 (fewest for these pushes), pushes 4 (proven fewest)
boxes 2, box changes 1" sed -n 2,3p "$tmp/solved"
# The search for the fewest moves among the fewest pushes stops at its budget.
"$tool" solve level/standart/nook.lev --moves-budget 1 >"$tmp/solved"
grep -q "^moves [0-9]* (not proven fewest), pushes 26 (proven fewest)$" "$tmp/solved"
"$tool" solve level/standart/nook.lev --moves-budget 100000 >"$tmp/solved"
expect 0 "moves 64 (fewest for these pushes), pushes 26 (proven fewest)" sed -n 2p "$tmp/solved"
"$tool" solve level/standart/nook.lev --pushes >"$tmp/solved"
grep -q "^moves [0-9]* (not proven fewest), pushes 26 (proven fewest)$" "$tmp/solved"
expect 2 "ERROR velm2-level: solve: --moves and --pushes ask for different searches" \
  "$tool" solve level/standart/nook.lev --pushes --moves
expect 2 "ERROR velm2-level: solve: --moves-budget needs a positive whole number, not '1.5'" \
  "$tool" solve "$tmp/pair-001.txt" --moves-budget 1.5
"$tool" solve "$tmp/rooms-001.txt" --moves >"$tmp/solved"
expect 0 "RR
moves 2 (proven fewest), pushes 2" head -2 "$tmp/solved"
"$tool" solve "$tmp/rooms-002.txt" >"$tmp/unsolved" && exit 1
expect 0 "no solution" head -1 "$tmp/unsolved"
"$tool" solve "$tmp/rooms-001.txt" --memory 0.001 >"$tmp/gave-up" && exit 1
grep -q "^gave up: memory limit reached; every solution has at least 0 pushes; " "$tmp/gave-up"
expect 2 "ERROR velm2-level: solve: --limit needs a positive number, not '0'" \
  "$tool" solve "$tmp/rooms-001.txt" --limit 0
# Several levels in one run: each block after the level's name, then a summary;
# a list names levels beside it.
printf '# the rooms\nrooms-001.txt\n\nrooms-002.txt\n' >"$tmp/list"
"$tool" solve --list "$tmp/list" "$tmp/missing.txt" >"$tmp/batch" && exit 1
expect 0 "level $tmp/rooms-001.txt
RR
moves 2 (fewest for these pushes), pushes 2 (proven fewest)
boxes 1, box changes 0
level $tmp/rooms-002.txt
no solution
level $tmp/missing.txt
ERROR velm2-level: '$tmp/missing.txt': can't open: No such file or directory" grep -v states "$tmp/batch"
grep -q "^3 levels: 1 solved, 1 without solution, 1 not solved; [0-9]* states, " "$tmp/batch"

# Every solution solve prints replays; pushes come by case, plain letters are directions.
"$tool" solve level/standart/nook.lev --moves | head -1 >"$tmp/nook.solution"
expect 0 "moves 64, pushes 26, solved" "$tool" replay level/source/nook.txt "@$tmp/nook.solution"
expect 0 "moves 64, pushes 26, solved" \
  "$tool" replay level/standart/nook.lev @level/source/nook.solution
expect 1 "moves 1, pushes 1, not solved" "$tool" replay "$tmp/rooms-001.txt" R
