#!/usr/bin/env bash
# Builds everything and runs every test. Installs missing Debian packages first (run as root).
#   1. the Windows cross builds (win32: the shipping library; win64: plug-in and stand-in vexo.exe)
#   2. the Linux build and its tests, which also check the Windows builds' PE tables and run
#      vexo.exe under 64-bit Wine
#   3. the same suite under AddressSanitizer and UndefinedBehaviorSanitizer
#   4. the suite built 32-bit (-m32) and run under qemu-i386, for 32-bit handles
#   5. a fixed run of each fuzz target (tools/fuzz.sh; FUZZ_SECONDS each, default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/ensure_packages.sh g++ cmake make binutils libgtest-dev libgmock-dev googletest \
  libtinyobjloader-dev assimp-testmodels valgrind clang libclang-rt-14-dev \
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 \
  wine64 qemu-user g++-multilib

echo "== build: win32, and its release archive"
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target all release_archive
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
