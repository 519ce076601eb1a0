#!/usr/bin/env bash
# Runs inside tools/wine-session: starts Sheetbay and keeps a screenshot of its main window.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/demo-out"
mkdir -p "$OUT"
EXE="$ROOT/build/win/src/app/Sheetbay.exe"
wine "$EXE" >/dev/null 2>&1 &
PID=$!
# Wait for the main window to be mapped (xwininfo lists it by its title).
for _ in $(seq 1 100); do
  xwininfo -root -tree 2>/dev/null | grep -q 'Sheetbay Ver' && break
  sleep 0.2
done
sleep 1
import -window root "$OUT/sheetbay-main.png"
echo "demo: screenshot in $OUT/sheetbay-main.png"
if [ "${WINE_SESSION_DISPLAY:-}" = keep ]; then
  wait "$PID" || true
else
  kill "$PID" 2>/dev/null || true
fi
