#!/usr/bin/env bash
# level_solve.sh: velm2-level solve and replay, their lines and exit statuses.
set -euo pipefail
build="$1"
tool="$build/velm2-level"
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

# A classic room: one push there is two here; a box against the wall can't come back.
printf '#####\n#@$.#\n#####\n\n#####\n#$@.#\n#####\n' >"$tmp/rooms.sok"
"$tool" import "$tmp/rooms.sok" -o "$tmp" >/dev/null
"$tool" solve "$tmp/rooms-001.txt" >"$tmp/solved"
expect 0 "RR
moves 2 (fewest for these pushes), pushes 2 (proven fewest)" head -2 "$tmp/solved"
"$tool" solve "$tmp/rooms-002.txt" >"$tmp/unsolved" && exit 1
expect 0 "no solution" head -1 "$tmp/unsolved"
"$tool" solve "$tmp/rooms-001.txt" --memory 0.001 >"$tmp/gave-up" && exit 1
grep -q "^gave up: memory limit reached; every solution has at least 0 pushes; " "$tmp/gave-up"

# Every solution solve prints replays; pushes come by case, plain letters are directions.
"$tool" solve level/standart/nook.lev --moves | head -1 >"$tmp/nook.solution"
expect 0 "moves 64, pushes 26, solved" "$tool" replay level/source/nook.txt "@$tmp/nook.solution"
expect 0 "moves 64, pushes 26, solved" \
  "$tool" replay level/standart/nook.lev @level/source/nook.solution
expect 1 "moves 1, pushes 1, not solved" "$tool" replay "$tmp/rooms-001.txt" R
expect 1 "ERROR velm2-level: '$tmp/rooms-001.txt': step 1 'r': the step pushes a box" \
  "$tool" replay "$tmp/rooms-001.txt" rR
expect 1 "ERROR velm2-level: '$tmp/rooms-001.txt': step 2 '?': not a move letter (u d l r, U D L R)" \
  "$tool" replay "$tmp/rooms-001.txt" 'R?'
expect 1 "ERROR velm2-level: '$tmp/missing': can't open: No such file or directory" \
  "$tool" replay "$tmp/rooms-001.txt" "@$tmp/missing"
expect 1 "ERROR velm2-level: '$tmp/missing.lev': can't open: No such file or directory" \
  "$tool" solve "$tmp/missing.lev"
expect 2 "ERROR velm2-level: solve: --limit needs a positive number, not '0'" \
  "$tool" solve "$tmp/rooms-001.txt" --limit 0
expect 2 "ERROR velm2-level: solve: unknown option or argument '--fast'" \
  "$tool" solve "$tmp/rooms-001.txt" --fast
"$tool" --help | grep -q "replay LEVEL MOVES"
