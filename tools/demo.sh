#!/usr/bin/env bash
# Runs inside tools/wine-session: the AutoCAD stand-in with six drawings, Sheetbay arranging them
# "横2列に並べる" with the file-name sort on; screenshots before and after and Sheetbay's log in demo-out/.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/demo-out"
BUILD="${SHEETBAY_BUILD:-$ROOT/build/win}"
mkdir -p "$OUT"
keep=
[ "${WINE_SESSION_DISPLAY:-}" = keep ] && keep=keep
wine "$BUILD/tools/demo/SheetbayDemo.exe" "$BUILD/tools/acadsim/ACAD.exe" "$BUILD/src/app/Sheetbay.exe" \
  "$ROOT/tools/demo/demo-scenario.json" "$OUT" $keep
for shot in before after; do
  convert "$OUT/$shot.bmp" -crop 1600x830+0+0 "$OUT/$shot.png" && rm -f "$OUT/$shot.bmp"
done
iconv -f UTF-16 -t UTF-8 "$OUT/Sheetbay.Log" > "$OUT/Sheetbay-log.txt" 2>/dev/null || true
echo "demo: $OUT/before.png, $OUT/after.png, $OUT/Sheetbay.Log"
