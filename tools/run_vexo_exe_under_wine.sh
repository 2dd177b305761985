#!/usr/bin/env bash
# Runs the Windows build of the stand-in modeller (vexo.exe, with adjsurf.p beside it) under
# 64-bit Wine on its demo scene, and checks what it printed. Exits 77 (skipped) when not built.
set -euo pipefail
build=${1:?usage: run_vexo_exe_under_wine.sh BUILD-DIR}
[ -f "$build/vexo.exe" ] && [ -f "$build/adjsurf.p" ] || { echo "skipped: $build/vexo.exe is not built"; exit 77; }
wine=$(dpkg -L wine64 2>/dev/null | grep -m1 '/wine64$') || { echo "wine64 is not installed" >&2; exit 1; }

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
transcript=$(WINEDEBUG=-all WINEPREFIX="$prefix" "$wine" "$build/vexo.exe" 2>/dev/null | tr -d '\r')
echo "$transcript"
for expected in "  Select connected surfaces    [vexo kwtadjsurf_go]" \
  "  message:   Selected 10 surfaces" "  undo step: select connected surfaces" \
  "  box: 6 of 6 surfaces selected (0-5)" "  plane: 4 of 6 surfaces selected (0-3)" \
  "  roof: 0 of 5 surfaces selected (none), 1 lone vertices"; do
  grep -qxF "$expected" <<<"$transcript" || { echo "missing from the transcript: $expected" >&2; exit 1; }
done
