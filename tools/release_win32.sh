#!/usr/bin/env bash
# Builds the shipping 32-bit Windows library and packs build-win32/adjsurf-1.0-win32.zip: the
# library and its install note. Installs the MinGW-w64 cross compiler if it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/ensure_packages.sh cmake make g++-mingw-w64-i686 binutils-mingw-w64-i686 libcli11-dev \
  nlohmann-json3-dev
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target release_archive
