#!/usr/bin/env bash
# level_tool.sh: velm2-level's commands, their messages and exit statuses.
set -euo pipefail
build="$1"
tool="$build/velm2-level"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# expect STATUS OUTPUT COMMAND...: the command ends with STATUS and prints OUTPUT.
expect() {
  local status=$1 expected=$2 out rc=0
  shift 2
  out=$(timeout 10 "$@") || rc=$?
  if [ "$rc" != "$status" ] || [ "$out" != "$expected" ]; then
    printf '%s\nexpected %s: %s\nwas %s: %s\n' "$*" "$status" "$expected" "$rc" "$out"
    exit 1
  fi
}

"$tool" build level/source/nook.txt "$tmp/level.lev"
"$tool" show "$tmp/level.lev" | cmp - level/source/nook.txt
expect 0 "level/source/nook.txt: OK" "$tool" check level/source/nook.txt

# Faults are one line each on standard output and end the command with an error.
printf 'VELM' >"$tmp/short.lev"
mkfifo "$tmp/pipe"
expect 1 "$tmp/short.lev: the file ends after 4 bytes, inside the header
$tmp/level.lev: OK
ERROR velm2-level: '$tmp/pipe': can't open: not a regular file" \
  "$tool" check "$tmp/short.lev" "$tmp/level.lev" "$tmp/pipe"
expect 1 "ERROR velm2-level: '$tmp/missing.txt': can't open: No such file or directory" \
  "$tool" build "$tmp/missing.txt" "$tmp/out.lev"
[ ! -e "$tmp/out.lev" ]
expect 1 "ERROR velm2-level: '$tmp/pipe': can't open: not a regular file" \
  "$tool" import "$tmp/pipe"
expect 1 "ERROR velm2-level: '$tmp/pipe': can't write: not a regular file" \
  "$tool" build level/source/nook.txt "$tmp/pipe"
expect 2 "ERROR velm2-level: unknown option '--fast'" \
  "$tool" import "$tmp/short.lev" --fast
"$tool" frobnicate >/dev/null && exit 1
"$tool" --help | grep -q "import FILE"

printf '; one\n#####\n#@$.#\n#####\n\n#####\n#@$.#\n#####\n#####\n' >"$tmp/rooms.sok"
mkdir "$tmp/out"
expect 0 "$tmp/out/rooms-001.txt: level 1 'one'
$tmp/out/rooms-002.txt: level 2" "$tool" import "$tmp/rooms.sok" -o "$tmp/out"
expect 0 "$tmp/out/rooms-001.txt: OK
$tmp/out/rooms-002.txt: OK" "$tool" check "$tmp"/out/*.txt
