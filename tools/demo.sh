#!/usr/bin/env bash
# Runs inside tools/wine-session: starts Sheetbay and keeps a screenshot of its main window.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/demo-out"
mkdir -p "$OUT"
EXE="$ROOT/build/win/src/app/Sheetbay.exe"
wine "$EXE" >/dev/null 2>&1 &
PID=$!
window=
for _ in $(seq 1 100); do
  window=$(xwininfo -name 'Sheetbay Ver1.28' 2>/dev/null | awk '/Window id:/ {print $4}') || true
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "demo: Sheetbay's window did not appear" >&2; exit 1; }
sleep 1  # let the first paint finish
import -window "$window" "$OUT/sheetbay-main.png"
echo "demo: screenshot in $OUT/sheetbay-main.png"
if [ "${WINE_SESSION_DISPLAY:-}" = keep ]; then
  wait "$PID" || true
else
  kill "$PID" 2>/dev/null || true
fi
