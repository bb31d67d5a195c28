#!/usr/bin/env bash
# level_tool.sh: velm2-level builds level files from text and shows them back.
set -euo pipefail
build="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for source in level/source/*.txt; do
  "$build/velm2-level" build "$source" "$tmp/level.lev"
  "$build/velm2-level" show "$tmp/level.lev" | cmp - "$source"
done

# Faults are reported on standard output and end the command with an error.
printf 'VELM' >"$tmp/short.lev"
out=$("$build/velm2-level" show "$tmp/short.lev") && exit 1
expected="ERROR velm2-level: '$tmp/short.lev': expected at least 26 bytes but found 4"
[ "$out" = "$expected" ] || { echo "expected: $expected, was: $out"; exit 1; }
"$build/velm2-level" build "$tmp/missing.txt" "$tmp/out.lev" >/dev/null && exit 1
[ ! -e "$tmp/out.lev" ]
