#!/usr/bin/env bash
# Builds the shipping 32-bit Windows library and packs the release archive into build-win32 (its
# name and version are CMakeLists.txt's): the library and its install note, the same bytes
# from every build of a commit; prints the SHA-256 of both and writes them to
# build-win32/SHA256SUMS. Installs the MinGW-w64 cross compiler and zip if they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/ensure_packages.sh "${build_packages[@]}" "${win32_packages[@]}"
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target release_archive
