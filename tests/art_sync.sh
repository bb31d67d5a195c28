#!/usr/bin/env bash
# art_sync.sh: the pictures in data/ are exactly what velm2-art draws.
#
# Usage, from the repository root: bash tests/art_sync.sh BUILDDIR. Runs the
# generator into a fresh directory and compares the nine pictures and the two
# icons byte for byte with data/. After changing the generator, run
# BUILDDIR/velm2-art data and commit the pictures with it.
set -euo pipefail

build=${1:?usage: art_sync.sh BUILDDIR}
generator="$build/velm2-art"
pictures=(back1.bmp win.bmp hero.bmp wall.bmp box.bmp place.bmp floor.bmp cursor.bmp font7x14.bmp
  velm2.png velm2-48.png)

fail() {
  echo "FAIL art_sync: $*"
  exit 1
}

[ -x "$generator" ] || fail "no generator at $generator"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$generator" "$work" >"$work/out.txt" || {
  cat "$work/out.txt"
  fail "$generator failed"
}

differing=()
for file in "${pictures[@]}"; do
  [ -f "$work/$file" ] || fail "the generator did not write $file"
  [ -f "data/$file" ] || fail "data/$file is missing; run $generator data"
  if ! cmp -s "$work/$file" "data/$file"; then
    differing+=("data/$file")
  fi
done

if [ ${#differing[@]} -gt 0 ]; then
  fail "not what $generator draws: ${differing[*]}; run $generator data and commit the pictures"
fi
echo "art_sync: all ${#pictures[@]} pictures in data/ match the generator"
