#!/usr/bin/env bash
# The operations' end-to-end tests and the demo on a loaded machine (one CPU-bound process per
# core beside them), first in the project's Wine prefix, then in one with Wine's default window
# settings. Fails on any failed test and on any error, warning or attention line in the demo's log.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
TESTS='^test_e2e_(arrange|save_restore|dialogs|stop_close|runner)$'

burners=()
for _ in $(seq 1 "$(nproc)"); do
  (while :; do :; done) &
  burners+=($!)
done
trap 'kill "${burners[@]}" 2>/dev/null' EXIT
echo "under-load: ${#burners[@]} CPU-bound processes beside the tests"

demo_clean() {
  local log="$ROOT/demo-out/Sheetbay-log.txt"
  [ -s "$log" ] || { echo "under-load: no demo log" >&2; return 1; }
  if grep -E '■■エラー■■|■内部エラー■|■■警　報■■|■■注　意■■' "$log"; then
    echo "under-load: the demo logged a problem" >&2
    return 1
  fi
}

rc=0
for windows in project default; do
  prefix="$ROOT/build/wineprefix"
  [ "$windows" = default ] && prefix="$ROOT/build/wineprefix-default"
  echo "== $windows window settings ($prefix) =="
  export WINEPREFIX="$prefix" WINE_SESSION_WINDOWS="$windows"
  tools/wine-session bash -c "cd '$ROOT/build/win' && ctest --output-on-failure -R '$TESTS'" || rc=1
  rm -f "$ROOT/demo-out/Sheetbay-log.txt"
  tools/wine-session "$ROOT/tools/demo.sh" && demo_clean || rc=1
done
[ $rc = 0 ] && echo "under-load: all passed" || echo "under-load: FAILED" >&2
exit $rc
