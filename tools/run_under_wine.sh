#!/usr/bin/env bash
# Runs a Windows build (win32 or win64) under Wine, as a user would, and checks what it printed:
#   1. the stand-in modeller, BUILD-DIR/vexo.exe, on its demo scene with the build's library
#      (BUILD-DIR/LIBRARY-NAME) beside it: the transcript must show the menu item, the count, the
#      undo step and the selection;
#   2. the checks program, BUILD-DIR/checks/vexo.exe, which loads the same library for every
#      check (demo scene, random models against a union-find, a table that cannot be allocated,
#      a quicksort's worst case on a 1 MiB stack), then loads the shared MinGW runtime DLL that
#      another plug-in would bring into the modeller and runs them all again.
# A 32-bit build runs through Wine's 32-bit loader (Debian's wine32:i386), which wine64 hands it
# to. The Wine prefix is made once, by the 64-bit loader, and kept in BUILD-DIR/wineprefix.
# Exits 77 (skipped), saying why, when the build has no vexo.exe, or Wine (or, for a 32-bit build,
# Wine's 32-bit loader) is not installed; tools/test.sh installs both.
set -euo pipefail
usage="usage: run_under_wine.sh BUILD-DIR LIBRARY-NAME"
build=${1:?$usage}
name=${2:?$usage}
[ -f "$build/vexo.exe" ] && [ -f "$build/$name" ] && [ -f "$build/checks/vexo.exe" ] ||
  { echo "skipped: $build/vexo.exe is not built"; exit 77; }
build=$(cd "$build" && pwd)
source "$(dirname "$0")/packages.sh"
package_installed wine64 || { echo "skipped: wine64 is not installed"; exit 77; }
wine=$(dpkg -L wine64 | grep -m1 '/wine64$')

case $(objdump -f "$build/vexo.exe") in
  *pei-i386*)
    package_installed wine32:i386 || { echo "skipped: wine32:i386 is not installed"; exit 77; }
    runtime_dll=$(dpkg -L gcc-mingw-w64-i686-win32-runtime | grep -m1 '/libgcc_s_dw2-1\.dll$') ;;
  *pei-x86-64*)
    runtime_dll=$(dpkg -L gcc-mingw-w64-x86-64-win32-runtime | grep -m1 '/libgcc_s_seh-1\.dll$') ;;
  *) echo "$build/vexo.exe is not a Windows x86 program" >&2; exit 1 ;;
esac

export WINEDEBUG=-all WINEPREFIX="$build/wineprefix"
# Where 32-bit programs run under qemu-i386, Wine needs this address space kept for itself;
# elsewhere it is ignored.
export QEMU_RESERVED_VA=0xf7000000
if [ ! -f "$WINEPREFIX/.made" ]; then
  rm -rf "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
  touch "$WINEPREFIX/.made"
fi
windows_path() { echo "Z:${1//\//\\}"; }

status=0
transcript=$("$wine" "$build/vexo.exe" 2>/dev/null | tr -d '\r')
echo "$transcript"
for expected in "  Select connected surfaces    [vexo kwtadjsurf_go]" \
  "  message:   Selected 10 surfaces" "  undo step: select connected surfaces" \
  "  box: 6 of 6 surfaces selected (0-5)" "  plane: 4 of 6 surfaces selected (0-3)" \
  "  roof: 0 of 5 surfaces selected (none), 1 lone vertex"; do
  grep -qxF "$expected" <<<"$transcript" || { echo "missing from the transcript: $expected" >&2; status=1; }
done

echo
checks=$("$wine" "$build/checks/vexo.exe" "$(windows_path "$build/$name")" \
  "$(windows_path "$runtime_dll")" 2>&1 | tr -d '\r') || true
echo "$checks"
tail -n 1 <<<"$checks" | grep -Eqx '[0-9]+ passed, 0 failed' ||
  { echo "the checks of $build/$name did not all pass, or the process did not finish" >&2; status=1; }
exit "$status"
