#!/usr/bin/env bash
# Builds everything and runs every test. Installs missing Debian packages first, and lets this
# machine run 32-bit x86 programs (tools/enable_32bit_programs.sh); run as root.
#   0. a check that apt resolves the package set (tools/ensure_packages.sh --simulate)
#   1. the Windows cross builds, each with the stand-in modeller as vexo.exe and its checks
#      program (win32: the shipping library, and its release archive, built a second time in
#      another folder to show the same bytes; win64: the same for 64-bit Windows)
#   2. the Linux build and its tests, which also check the Windows builds' PE tables and stack
#      frames and run both Windows builds under Wine: the 32-bit one through Wine's 32-bit loader
#   3. the same suite under AddressSanitizer and UndefinedBehaviorSanitizer
#   4. the suite built 32-bit (-m32), for 32-bit handles
#   5. a fixed run of each fuzz target (tools/fuzz.sh; FUZZ_SECONDS each, default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
packages=("${build_packages[@]}" "${model_packages[@]}" "${test_packages[@]}" "${fuzz_packages[@]}"
  "${windows_test_packages[@]}")
tools/ensure_packages.sh "${packages[@]}"
# Where everything was installed already, the step above asked apt nothing: check that apt
# still resolves the set, and that the fallback a fresh machine may need resolves it too.
echo "== packages: apt's resolution of the set, without installing"
tools/ensure_packages.sh --simulate "${packages[@]}"
tools/enable_32bit_programs.sh

echo "== build: win32, and its release archive"
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target all release_archive
echo "== release: a second build from nothing must give the same bytes"
cached() { sed -n "s/^$1:[A-Z]*=//p" build-win32/CMakeCache.txt; }
tools/check_reproducible_release.sh build-win32 "$(cached VEXO_PLUGIN_FILE)" \
  "$(cached VEXO_RELEASE_ARCHIVE)"
echo "== build: win64"
cmake --preset win64 >/dev/null
cmake --build --preset win64

for preset in default sanitize linux32; do
  echo "== build and test: $preset"
  cmake --preset "$preset" -DVEXO_BUILD_TESTS=ON >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "== fuzz"
tools/fuzz.sh "${FUZZ_SECONDS:-60}"
