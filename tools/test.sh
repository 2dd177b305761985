#!/usr/bin/env bash
# Builds everything and runs every test: the plain build, then the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/ensure_packages.sh g++ cmake make binutils libgtest-dev libgmock-dev

for preset in default sanitize; do
  echo "== build and test: $preset"
  cmake --preset "$preset" -DVEXO_BUILD_TESTS=ON >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
