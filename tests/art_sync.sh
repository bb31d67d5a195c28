#!/usr/bin/env bash
# art_sync.sh: the pictures in data/ are exactly what velm2-art draws. After
# changing the generator, run BUILDDIR/velm2-art data and commit the pictures.
# Usage, from the repository root: bash tests/art_sync.sh BUILDDIR.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1/velm2-art" "$work" >"$work/out.txt" || { cat "$work/out.txt"; exit 1; }
for picture in back1.bmp win.bmp hero.bmp wall.bmp box.bmp place.bmp floor.bmp cursor.bmp \
  font7x14.bmp velm2.png velm2-48.png; do
  cmp "$work/$picture" "data/$picture" ||
    { echo "FAIL: data/$picture is not what $1/velm2-art draws; run it on data"; exit 1; }
done
