#!/usr/bin/env bash
# level_tool.sh: velm2-level builds a level file from text and shows it back;
# faults are reported on standard output and end the command with an error.
set -euo pipefail
tool="$1/velm2-level"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$tool" build level/source/nook.txt "$tmp/nook.lev"
"$tool" show "$tmp/nook.lev" | cmp - level/source/nook.txt
printf 'VELM' >"$tmp/short.lev"
out=$("$tool" show "$tmp/short.lev") && exit 1
[ "$out" = "ERROR velm2-level: '$tmp/short.lev': expected at least 26 bytes but found 4" ]
"$tool" build "$tmp/missing.txt" "$tmp/out.lev" >/dev/null && exit 1
[ ! -e "$tmp/out.lev" ]
